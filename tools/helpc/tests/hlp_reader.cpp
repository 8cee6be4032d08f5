#include "hlp_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "helpc/hlp_format.h"

namespace skimdex::helpc::test {

using namespace hlp;

std::uint16_t U16(const char* p) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
}
std::uint32_t U32(const char* p) { return U16(p) | static_cast<std::uint32_t>(U16(p + 2)) << 16; }

const char* SearchTree(std::string_view tree, const EntryCompare& compare) {
  const std::uint16_t page_size = U16(tree.data() + kTreePageSizeAt);
  std::uint16_t page = U16(tree.data() + kTreeRootPageAt);
  for (int level = U16(tree.data() + kTreeLevelsAt); level > 0; --level) {
    const bool leaf = level == 1;
    const char* p = tree.data() + kTreeHeaderSize + page * page_size;
    const int count = U16(p + kPageEntryCountAt);
    p += leaf ? kLeafHeaderSize : kIndexHeaderSize;
    for (int i = 0; i < count; ++i) {
      const auto [order, size] = compare(p, leaf);
      if (leaf && order == 0) return p;
      if (order > 0) break;
      p += size;
    }
    if (leaf) return nullptr;
    page = U16(p - 2);  // the last child whose key is not above the key sought
  }
  return nullptr;
}

std::vector<const char*> TreeEntries(std::string_view tree,
                                     const std::function<std::size_t(const char*)>& size) {
  const std::uint16_t page_size = U16(tree.data() + kTreePageSizeAt);
  std::uint16_t page = U16(tree.data() + kTreeRootPageAt);
  const char* pages = tree.data() + kTreeHeaderSize;
  for (int level = U16(tree.data() + kTreeLevelsAt); level > 1; --level) {
    page = U16(pages + page * page_size + kIndexFirstChildAt);
  }
  std::vector<const char*> entries;
  for (; page != kNoPage; page = U16(pages + page * page_size + kLeafNextAt)) {
    const char* p = pages + page * page_size + kLeafHeaderSize;
    for (int i = U16(pages + page * page_size + kPageEntryCountAt); i > 0; --i, p += size(p)) {
      entries.push_back(p);
    }
  }
  return entries;
}

const char* FindName(std::string_view tree, const std::string& name) {
  return SearchTree(tree, [&](const char* p, bool leaf) {
    return std::pair{std::strcmp(p, name.c_str()), std::strlen(p) + (leaf ? 5 : 3)};
  });
}

std::optional<std::string_view> HlpReader::File(const std::string& name) const {
  const char* found =
      FindName(bytes_.data() + U32(bytes_.data() + kContainerDirectoryAt) + kFileHeaderSize, name);
  if (!found) return std::nullopt;
  const char* header = bytes_.data() + U32(found + name.size() + 1);
  const std::uint32_t used = U32(header + kFileUsedAt);
  if (U32(header) != used + kFileHeaderSize) return std::nullopt;
  return std::string_view(header + kFileHeaderSize, used);
}

std::optional<std::uint32_t> HlpReader::ContextOffset(std::int32_t hash) const {
  const char* found = SearchTree(*File("|CONTEXT"), [&](const char* p, bool leaf) {
    const auto value = static_cast<std::int32_t>(U32(p));
    return std::pair{value < hash ? -1 : value > hash ? 1 : 0, std::size_t{leaf ? 8u : 6u}};
  });
  if (!found) return std::nullopt;
  return U32(found + 4);
}

std::optional<std::uint32_t> HlpReader::MapOffset(std::uint32_t number) const {
  const std::string_view map = *File("|CTXOMAP");
  for (int i = 0; i < U16(map.data()); ++i) {
    if (U32(map.data() + 2 + 8 * i) == number) return U32(map.data() + 6 + 8 * i);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> HlpReader::SystemOffset(std::uint16_t record) const {
  const std::string_view system = *File("|SYSTEM");
  for (std::size_t p = kSystemHeaderSize; p + 4 <= system.size(); p += 4 + U16(system.data() + p + 2)) {
    if (U16(system.data() + p) == record) return U32(system.data() + p + 4);
  }
  return std::nullopt;
}

namespace {

// The order in which the engine searches the keywords: bytes, unsigned, with
// ASCII letters folded.
bool EngineKeywordLess(std::string_view a, std::string_view b) {
  const auto folded = [](char c) {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return folded(x) < folded(y); });
}

// Skips a compressed short or long (one or two bytes, two or four bytes by the
// low bit).
std::size_t CompressedShortSize(const char* p) { return (*p & 1) ? 2 : 1; }

// Reads one text record into the topic; returns the text size its formatting
// declares.
std::uint32_t ReadTextRecord(const char* data1, const char* data1_end, const char* data2, ReadTopic& topic) {
  const char* p = data1 + ((*data1 & 1) ? 4 : 2);
  const std::uint32_t text_size = (*p & 1) ? U16(p) / 2 : static_cast<unsigned char>(*p) / 2;
  p += CompressedShortSize(p) + 4;  // and the paragraph info up to its bits
  const std::uint16_t bits = U16(p);
  p += 2;
  for (const int spacing : {kSpaceAboveBit, kSpaceBelowBit}) {
    if (bits & spacing) p += CompressedShortSize(p);
  }
  std::string text;
  for (; p < data1_end; data2 += std::strlen(data2) + 1) {
    text += data2;
    const char command = *p++;
    if (command == kEndCommand) break;
    if (command == kFontCommand) p += 2;
    if (command == kJumpCommand) {
      topic.jumps.push_back(static_cast<std::int32_t>(U32(p)));
      p += 4;
    }
  }
  topic.paragraphs.push_back(text);
  return text_size;
}

}  // namespace

std::vector<std::pair<std::string, std::uint32_t>> HlpReader::Keywords() const {
  const std::string_view data = *File("|KWDATA");
  std::vector<std::pair<std::string, std::uint32_t>> keywords;
  for (const char* p : TreeEntries(*File("|KWBTREE"), [](const char* p) { return std::strlen(p) + 7; })) {
    if (!keywords.empty() && !EngineKeywordLess(keywords.back().first, p)) {
      throw std::runtime_error(std::string("keyword out of the engine's order: ") + p);
    }
    const char* counts = p + std::strlen(p) + 1;
    if (U16(counts) == 1) keywords.emplace_back(p, U32(data.data() + U32(counts + 2)));
  }
  return keywords;
}

std::vector<ReadTopic> HlpReader::Topics() const {
  const std::string_view file = *File("|TOPIC");
  std::string stream;
  for (std::size_t block = 0; block < file.size(); block += kTopicBlockSize) {
    stream.append(file.substr(block + kTopicBlockHeaderSize, kTopicBlockDataSize));
  }
  std::vector<ReadTopic> topics;
  std::uint32_t block = kNoLink, text_in_block = 0;
  for (std::uint32_t pos = kTopicBlockHeaderSize; pos != kNoLink;) {
    const std::uint32_t in_block = (pos - kTopicBlockHeaderSize) % kTopicPosPerBlock;
    if ((pos - kTopicBlockHeaderSize) / kTopicPosPerBlock != block) {
      block = (pos - kTopicBlockHeaderSize) / kTopicPosPerBlock;
      text_in_block = 0;
    }
    const std::size_t start = block * kTopicBlockDataSize + in_block;
    const char* link = stream.data() + start;
    const std::uint32_t data1_end = U32(link + kLinkData1EndAt), length2 = U32(link + kLinkData2SizeAt);
    // The engine reads a link's header and LinkData1 from one block.
    if (in_block + data1_end > kTopicBlockDataSize) {
      throw std::runtime_error("link at " + std::to_string(start) + " crosses its block's end");
    }
    if (link[kLinkTypeAt] == kTopicHeaderLink && data1_end == kLinkHeaderSize + kTopicHeaderData1Size) {
      topics.push_back(
          {block * kTopicOffsetPerBlock + text_in_block, std::string(link + data1_end, length2), {}, {}, {}});
    } else if (link[kLinkTypeAt] == kTextRecordLink) {
      text_in_block +=
          ReadTextRecord(link + kLinkHeaderSize, link + data1_end, link + data1_end, topics.back());
    }
    if (!topics.empty()) topics.back().links.push_back({start, data1_end});
    pos = U32(link + kLinkNextAt);
  }
  return topics;
}

}  // namespace skimdex::helpc::test
