#include "helpc/bplus_tree.h"

#include <gtest/gtest.h>

#include <cstring>

#include "helpc/bytes.h"
#include "helpc/context_hash.h"
#include "helpc/hlp_format.h"
#include "hlp_reader.h"

namespace skimdex::helpc {
namespace {

using test::U16;
using test::U32;

// Keys "k10000", "k10001", ... with a four-byte value each, as in the directory.
std::vector<TreeEntry> NameEntries(int count) {
  std::vector<TreeEntry> entries;
  for (int i = 0; i < count; ++i) {
    std::string key = "k" + std::to_string(10000 + i) + '\0', leaf = key;
    AppendU32(leaf, static_cast<std::uint32_t>(i));
    entries.push_back({key, leaf});
  }
  return entries;
}

// Small pages force several leaves and index levels (a 64-byte page holds 5 of these leaf entries,
// or 7 children of an index page); every key must be found through the index and every entry listed
// once, in order, along the leaf chain.
TEST(BplusTreeTest, EveryKeyIsFoundAtEveryDepth) {
  for (const auto& [count, page_size, levels] : {std::tuple{0, 64, 1},
                                                 {1, 64, 1},
                                                 {5, 64, 1},
                                                 {6, 64, 2},
                                                 {35, 64, 2},
                                                 {36, 64, 3},
                                                 {300, 2048, 2},
                                                 {2000, 64, 5}}) {
    const auto entries = NameEntries(count);
    const Tree tree = BuildTree({"z4", static_cast<std::uint16_t>(page_size), 2}, entries);
    const std::uint16_t pages = U16(tree.bytes.data() + hlp::kTreePageCountAt);
    EXPECT_EQ(U16(tree.bytes.data() + hlp::kTreeLevelsAt), levels) << count;
    EXPECT_EQ(tree.bytes.size(), hlp::kTreeHeaderSize + static_cast<std::size_t>(pages) * page_size) << count;
    EXPECT_EQ(U32(tree.bytes.data() + hlp::kTreeEntryCountAt), static_cast<std::uint32_t>(count));
    const auto listed = test::TreeEntries(tree.bytes, [](const char* p) { return std::strlen(p) + 5; });
    ASSERT_EQ(listed.size(), entries.size());
    for (int i = 0; i < count; ++i) {
      const std::string name = entries[i].key.c_str();
      EXPECT_EQ(listed[i], name);
      const char* found = test::FindName(tree.bytes, name);
      ASSERT_NE(found, nullptr) << name << " in " << count;
      EXPECT_EQ(U32(found + 7), static_cast<std::uint32_t>(i));
    }
    for (const LeafPage& leaf : tree.leaves) {  // what |KWMAP records
      if (count > 0)
        EXPECT_EQ((listed[leaf.first_entry] - tree.bytes.data() - hlp::kTreeHeaderSize) / page_size,
                  leaf.page);
    }
    EXPECT_EQ(test::FindName(tree.bytes, "k"), nullptr);
    EXPECT_EQ(test::FindName(tree.bytes, "z"), nullptr);
  }
}

TEST(BplusTreeTest, RefusesAnEntryLargerThanAPage) {
  EXPECT_THROW(BuildTree({"z4", 16, 2}, NameEntries(1)), std::runtime_error);
}

TEST(ContextHashTest, FollowsTheEngineAlphabet) {
  EXPECT_EQ(ContextHash(""), 0);
  EXPECT_EQ(ContextHash("a."), 17 * 43 + 12);
  EXPECT_EQ(ContextHash("Z_0"), (42 * 43 + 13) * 43 + 10);
  EXPECT_EQ(ContextHash("IDH_Config"), ContextHash("idh_CONFIG"));
  const auto unsigned_hash = [](const char* id) { return static_cast<std::uint32_t>(ContextHash(id)); };
  EXPECT_EQ(unsigned_hash("zzzzzz") * 43 + 42, unsigned_hash("zzzzzzz"));  // wraps modulo 2^32
  for (const char* id : {"", "a-b", "IDH 1", "\x95\x5C"}) EXPECT_FALSE(IsValidContextId(id)) << id;
  EXPECT_TRUE(IsValidContextId("IDH_CONFIG.2"));
}

}  // namespace
}  // namespace skimdex::helpc
