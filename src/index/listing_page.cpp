#include "index/listing_page.h"

#include <climits>

#include "index/listing_rows.h"
#include "index/title.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/text_file.h"

namespace skimdex {
namespace {

constexpr char kEndMarker[] = "0";

void WriteLine(TextFile& file, const std::string& line) {
  WriteText(file, line);
  WriteLineEnd(file);
  CheckIo();
}

// What was written so far goes to disk before a title is read, as closing the page would, so a failing
// write stops the page at the same byte. The page being read is never the new listing page, which is a
// temporary file until it is whole.
std::string ReadTitleBesideListing(TextFile& listing, const std::string& page) {
  FlushText(listing);
  CheckIo();
  return GetPageTitle(page);
}

int DigitsAtStart(const std::string& entry) {
  int digits = 0;
  while (digits < static_cast<int>(entry.size()) && entry[digits] >= '0' && entry[digits] <= '9') ++digits;
  return digits;
}

int DepthValue(const std::string& digits) {
  long long value = 0;
  for (const char c : digits) value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
  return static_cast<int>(value);
}

}  // namespace

std::string ListingPageName(const std::string& name) { return WithoutExtension(name) + "_sub.html"; }

ScanEntry SplitScanEntry(const std::string& entry, const std::string& scan_folder) {
  const int digits = DigitsAtStart(entry);
  // The scan folder's own leading digits follow the depth digits, so the depth is what lies before
  // them, provided the scan folder really starts there.
  const int split = digits - DigitsAtStart(scan_folder);
  const bool scan_folder_follows =
      split > 0 && !scan_folder.empty() && entry.compare(split, scan_folder.size(), scan_folder) == 0;
  const int depth_digits = scan_folder_follows ? split : digits;
  return {DepthValue(entry.substr(0, depth_digits)), entry.substr(depth_digits)};
}

void WriteListingPage(const std::string& name, const TStringList& list, const std::string& scan_folder,
                      ProgressSink& progress) {
  const std::string listing_name = ListingPageName(name);
  if (list.Count() > 0) progress.SetMaximum(list.Count() - 1);
  TextFile listing;
  AssignText(listing, listing_name);
  CreateTextForReplacing(listing);
  CheckIo();
  for (const char* line : kListingHead) WriteLine(listing, line);

  for (int i = 0; i < list.Count(); ++i) {
    if (list[i] == kEndMarker) continue;
    const ScanEntry entry = SplitScanEntry(list[i], scan_folder);
    WriteLine(listing, "<TABLE>");
    if (IsExistingFolder(entry.path)) {
      WriteLine(listing, FolderRow(entry.depth, entry.path));
    } else {
      const std::string title = ReadTitleBesideListing(listing, entry.path);
      WriteLine(listing, PageRow(entry.depth, entry.path, title));
    }
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
