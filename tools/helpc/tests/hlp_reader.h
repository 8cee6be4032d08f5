#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skimdex::helpc::test {

std::uint16_t U16(const char* p);
std::uint32_t U32(const char* p);

// Compares the tree entry at p with the key sought (<0, 0, >0) and gives the entry's size.
using EntryCompare = std::function<std::pair<int, std::size_t>(const char* p, bool leaf)>;
// Searches a B+ tree as the help engine does; returns the leaf entry found.
const char* SearchTree(std::string_view tree, const EntryCompare& compare);
// The directory-style entry (STRINGZ name, then a u32) with this name, or nullptr.
const char* FindName(std::string_view tree, const std::string& name);
// Every leaf entry from the leftmost leaf along the next-leaf chain, as Wine lists the index.
std::vector<const char*> TreeEntries(std::string_view tree,
                                     const std::function<std::size_t(const char*)>& size);

struct ReadLink {
  std::size_t start;  // offset in the stream of the blocks' data
  std::size_t head;   // the link header and LinkData1
};

struct ReadTopic {
  std::uint32_t offset = 0;  // as the engine computes it while walking the topics
  std::string title;
  std::vector<std::string> paragraphs;  // the strings of each text record, joined
  std::vector<std::int32_t> jumps;
  std::vector<ReadLink> links;  // its header, then its text records
};

// A help file read back through the lookups a help engine uses. It throws std::runtime_error on a
// layout the engine refuses: a link header or LinkData1 across a block's end, keywords out of the
// engine's order.
class HlpReader {
 public:
  explicit HlpReader(std::string bytes) : bytes_(std::move(bytes)) {}
  std::optional<std::string_view> File(const std::string& name) const;
  std::optional<std::uint32_t> ContextOffset(std::int32_t hash) const;
  std::optional<std::uint32_t> MapOffset(std::uint32_t number) const;
  std::optional<std::uint32_t> SystemOffset(std::uint16_t record) const;  // a u32 record of |SYSTEM
  std::vector<std::pair<std::string, std::uint32_t>> Keywords() const;    // in leaf order
  std::vector<ReadTopic> Topics() const;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace skimdex::helpc::test
