#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skimdex::helpc {

// One entry of a help file B+ tree: the key as an index page stores it, and the whole leaf entry
// (which starts with the same key). Entries are given in the order the reader searches them.
struct TreeEntry {
  std::string key;
  std::string leaf;
};

struct TreeFormat {
  std::string structure;  // e.g. "z4" for the directory, "L4" for |CONTEXT
  std::uint16_t page_size;
  std::uint16_t flags;
};

struct LeafPage {
  std::uint16_t page;
  std::uint32_t first_entry;  // index of its first entry in the whole tree
};

struct Tree {
  std::string bytes;  // header and pages
  std::vector<LeafPage> leaves;
};

// Packs the entries into leaf pages, then builds index levels until one root page remains.
Tree BuildTree(const TreeFormat& format, const std::vector<TreeEntry>& entries);

}  // namespace skimdex::helpc
