#include "helpc/bplus_tree.h"

#include <stdexcept>

#include "helpc/bytes.h"
#include "helpc/hlp_format.h"

namespace skimdex::helpc {
namespace {

using hlp::kNoPage;

struct Page {
  std::string body;  // entries, without the header
  std::uint16_t count = 0;
  std::uint16_t first_child = kNoPage;  // index pages only
  std::string first_key;
  std::uint32_t first_entry = 0;
};

// Splits items into pages whose header plus entries fit the page size; items start a new page when
// the current one is full.
std::vector<Page> PackLeaves(const std::vector<TreeEntry>& entries, std::size_t page_size) {
  std::vector<Page> pages(1);
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    const TreeEntry& entry = entries[i];
    if (hlp::kLeafHeaderSize + entry.leaf.size() > page_size)
      throw std::runtime_error("B+ tree entry larger than a page");
    if (pages.back().count > 0 &&
        hlp::kLeafHeaderSize + pages.back().body.size() + entry.leaf.size() > page_size) {
      pages.emplace_back();
    }
    Page& page = pages.back();
    if (page.count == 0) {
      page.first_key = entry.key;
      page.first_entry = i;
    }
    page.body += entry.leaf;
    ++page.count;
  }
  return pages;
}

// One index level above `children`, whose first page number is `first_number`.
std::vector<Page> PackIndexLevel(const std::vector<Page>& children, std::uint16_t first_number,
                                 std::size_t page_size) {
  std::vector<Page> pages;
  for (std::size_t i = 0; i < children.size(); ++i) {
    const auto child = static_cast<std::uint16_t>(first_number + i);
    std::string pair = children[i].first_key;
    AppendU16(pair, child);
    if (!pages.empty() && hlp::kIndexHeaderSize + pages.back().body.size() + pair.size() <= page_size) {
      pages.back().body += pair;
      ++pages.back().count;
      continue;
    }
    Page page;
    page.first_child = child;
    page.first_key = children[i].first_key;
    pages.push_back(page);
  }
  return pages;
}

void AppendPage(std::string& out, const Page& page, std::size_t header, std::size_t page_size) {
  const std::size_t start = out.size();
  AppendU16(out, static_cast<std::uint32_t>(page_size - header - page.body.size()));
  AppendU16(out, page.count);
  out.resize(start + header, '\0');  // the neighbours or the first child: the caller puts them in
  out += page.body;
  out.resize(start + page_size, '\0');
}

}  // namespace

Tree BuildTree(const TreeFormat& format, const std::vector<TreeEntry>& entries) {
  const std::vector<Page> leaves = PackLeaves(entries, format.page_size);
  std::vector<std::vector<Page>> levels{leaves};
  std::uint16_t next_number = static_cast<std::uint16_t>(leaves.size());
  std::uint16_t level_start = 0;
  while (levels.back().size() > 1) {
    levels.push_back(PackIndexLevel(levels.back(), level_start, format.page_size));
    level_start = next_number;
    next_number = static_cast<std::uint16_t>(next_number + levels.back().size());
  }
  if (next_number == kNoPage) throw std::runtime_error("B+ tree too large");

  Tree tree;
  std::string& out = tree.bytes;
  AppendU16(out, hlp::kTreeMagic);
  AppendU16(out, format.flags);
  AppendU16(out, format.page_size);
  std::string structure = format.structure;
  structure.resize(hlp::kTreeStructureSize, '\0');
  out += structure;
  AppendU16(out, 0);
  AppendU16(out, next_number - static_cast<std::uint32_t>(levels.size()));  // page splits
  AppendU16(out, next_number - 1);                                          // root: the last page
  AppendU16(out, kNoPage);
  AppendU16(out, next_number);
  AppendU16(out, static_cast<std::uint32_t>(levels.size()));
  AppendU32(out, static_cast<std::uint32_t>(entries.size()));

  for (std::uint16_t i = 0; i < leaves.size(); ++i) {
    const std::size_t start = out.size();
    AppendPage(out, leaves[i], hlp::kLeafHeaderSize, format.page_size);
    PutU16(out, start + hlp::kLeafPreviousAt, i == 0 ? kNoPage : i - 1);
    PutU16(out, start + hlp::kLeafNextAt, i + 1 == leaves.size() ? kNoPage : i + 1);
    tree.leaves.push_back({i, leaves[i].first_entry});
  }
  for (std::size_t level = 1; level < levels.size(); ++level) {
    for (const Page& page : levels[level]) {
      const std::size_t start = out.size();
      AppendPage(out, page, hlp::kIndexHeaderSize, format.page_size);
      PutU16(out, start + hlp::kIndexFirstChildAt, page.first_child);
    }
  }
  return tree;
}

}  // namespace skimdex::helpc
