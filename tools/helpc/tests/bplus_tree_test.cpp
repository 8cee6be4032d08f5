#include "helpc/bplus_tree.h"

#include <gtest/gtest.h>

#include <cstring>

#include "helpc/bytes.h"
#include "helpc/context_hash.h"
#include "hlp_reader.h"

namespace skimdex::helpc {
namespace {

using test::SearchTree;
using test::TreeEntries;
using test::U16;
using test::U32;

// Keys "k0000", "k0001", ... with a four-byte value each, as in the directory.
std::vector<TreeEntry> NameEntries(int count) {
  std::vector<TreeEntry> entries;
  for (int i = 0; i < count; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "k%04d", i);
    std::string key;
    AppendStringZ(key, name);
    std::string leaf = key;
    AppendU32(leaf, static_cast<std::uint32_t>(i));
    entries.push_back({key, leaf});
  }
  return entries;
}

const char* Find(const Tree& tree, const std::string& name) {
  return SearchTree(tree.bytes, [&](const char* p, bool leaf) {
    return std::pair{std::strcmp(p, name.c_str()), std::strlen(p) + (leaf ? 5 : 3)};
  });
}

// Small pages force several leaves and index levels (a 64-byte page holds 5 of these leaf entries,
// or 8 children of an index page); every key must be found through the index
// and every entry listed once, in order, along the leaf chain.
TEST(BplusTreeTest, EveryKeyIsFoundAtEveryDepth) {
  for (const auto& [count, page_size, levels] : {std::tuple{0, 64, 1}, {1, 64, 1}, {5, 64, 1}, {6, 64, 2}, {40, 64, 2},
                                                  {41, 64, 3}, {300, 2048, 2}, {2000, 64, 4}}) {
    const auto entries = NameEntries(count);
    const Tree tree = BuildTree({"z4", static_cast<std::uint16_t>(page_size), 2}, entries);
    const std::uint16_t pages = U16(tree.bytes.data() + 30);
    EXPECT_EQ(U16(tree.bytes.data() + 32), levels) << count;
    EXPECT_EQ(tree.bytes.size(), 38u + static_cast<std::size_t>(pages) * page_size) << count;
    EXPECT_EQ(U32(tree.bytes.data() + 34), static_cast<std::uint32_t>(count));
    const auto listed = TreeEntries(tree.bytes, [](const char* p) { return std::strlen(p) + 5; });
    ASSERT_EQ(listed.size(), entries.size());
    for (int i = 0; i < count; ++i) {
      const std::string name = entries[i].key.c_str();
      EXPECT_EQ(listed[i], name);
      const char* found = Find(tree, name);
      ASSERT_NE(found, nullptr) << name << " in " << count;
      EXPECT_EQ(U32(found + 6), static_cast<std::uint32_t>(i));
    }
    for (const LeafPage& leaf : tree.leaves) {  // what |KWMAP records
      if (count > 0) EXPECT_EQ((listed[leaf.first_entry] - tree.bytes.data() - 38) / page_size, leaf.page);
    }
    EXPECT_EQ(Find(tree, "k"), nullptr);
    EXPECT_EQ(Find(tree, "z"), nullptr);
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
  // Long ids wrap modulo 2^32 into a signed value.
  std::uint64_t wide = 0;
  for (int i = 0; i < 12; ++i) wide = (wide * 43 + 42) & 0xFFFFFFFF;
  EXPECT_EQ(ContextHash("zzzzzzzzzzzz"), static_cast<std::int32_t>(static_cast<std::uint32_t>(wide)));
  for (const char* id : {"", "a-b", "IDH 1", "\x95\x5C"}) EXPECT_FALSE(IsValidContextId(id)) << id;
  EXPECT_TRUE(IsValidContextId("IDH_CONFIG.2"));
}

}  // namespace
}  // namespace skimdex::helpc
