#include "index/listing_page.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "index/listing_rows.h"
#include "index/scan_list.h"
#include "index/title.h"
#include "index/walk.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/text_file.h"
#include "text/wide.h"

namespace skimdex {
namespace {

void WriteLine(TextFile& file, const std::string& line) {
  WriteText(file, line);
  WriteLineEnd(file);
  CheckIo();
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// This run's own two pages, which it rewrote after the walk (the frame page) or rewrites now (the
// listing page): what the walk saw of them is out of date.
class OwnPages {
 public:
  explicit OwnPages(const std::string& name)
      : pages_{Page(FullPathOf(name)), Page(FullPathOf(ListingPageName(name)))} {}

  // Asked for every entry: the names are compared first, and the system's comparison is left to the
  // names that ASCII alone cannot tell apart; the own pages' wide forms are made once.
  bool Hold(const std::string& path) const {
    const std::string name = FileNameOf(path);
    std::optional<std::wstring> wide_name;
    return std::any_of(std::begin(pages_), std::end(pages_), [&](const Page& own) {
      bool same_name = AsciiCompareNoCase(own.name, name) == 0;
      if (!same_name && !IsAscii(name)) {
        if (!wide_name) wide_name = Wide(name);
        same_name = SameIgnoringCase(own.wide_name, *wide_name);
      }
      return same_name && SameIgnoringCase(own.wide_path, Wide(FullPathOf(path)));
    });
  }

 private:
  struct Page {
    explicit Page(std::string full_path)
        : wide_path(Wide(full_path)), name(FileNameOf(full_path)), wide_name(Wide(name)) {}
    std::wstring wide_path;
    std::string name;
    std::wstring wide_name;
  };

  static bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
  }

  Page pages_[2];
};

// A page's row is made from what the walk saw of it. A folder the walk saw, an entry of a list made
// elsewhere and this run's own pages are asked of the file system now, as every entry once was: a
// folder deleted since the walk then gets a page row.
std::string RowOf(const ScanEntry& entry, std::optional<SeenEntry> seen, const OwnPages& own) {
  if (seen && seen->attributes != faDirectory && !own.Hold(entry.path)) {
    if (seen->attributes & faDirectory) return FolderRow(entry.depth, entry.path);
    return PageRow(entry.depth, entry.path, seen->dated ? GetListedPageTitle(entry.path) : std::string());
  }
  if (IsExistingFolder(entry.path)) return FolderRow(entry.depth, entry.path);
  return PageRow(entry.depth, entry.path, GetPageTitle(entry.path));
}

}  // namespace

std::string ListingPageName(const std::string& name) { return WithoutExtension(name) + "_sub.html"; }

void WriteListingPage(const std::string& name, const TStringList& list, const std::string& scan_folder,
                      ProgressSink& progress) {
  const std::string listing_name = ListingPageName(name);
  const OwnPages own(name);
  if (list.Count() > 0) progress.SetMaximum(list.Count() - 1);
  TextFile listing;
  AssignText(listing, listing_name);
  CreateTextForReplacing(listing);
  CheckIo();
  for (const char* line : kListingHead) WriteLine(listing, line);

  for (int i = 0; i < list.Count(); ++i) {
    if (list[i] == kScanListEndMarker) continue;
    WriteLine(listing, "<TABLE>");
    WriteLine(listing, RowOf(SplitScanEntry(list[i], scan_folder), SeenEntryOf(list.Object(i)), own));
    progress.SetPosition(i);
    WriteLine(listing, "</TABLE>");
  }

  for (const char* line : kListingFoot) WriteLine(listing, line);
  CloseText(listing);
  CheckIo();
  // A whole page fills the bar, whatever entry came last.
  if (list.Count() > 0) progress.SetPosition(list.Count() - 1);
}

}  // namespace skimdex
