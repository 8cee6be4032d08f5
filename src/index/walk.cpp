#include "index/walk.h"

#include <vector>

#include "index/scan_list.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/locale.h"
#include "text/path.h"

namespace skimdex {
namespace {

const char* const kListedExtensions[] = {".html", ".htm", ".shtml", ".cgi", ".txt"};
// How a scan list object holds a SeenEntry: the attribute word in the low 32 bits, flags above.
constexpr std::uint64_t kSeenMark = std::uint64_t{1} << 63;
constexpr std::uint64_t kDatedMark = std::uint64_t{1} << 62;

// A name as the folder's listing gave it: in UTF-16 for the sort, in UTF-8 for the scan list, with
// what the listing told of the entry.
struct ListedName {
  std::u16string units;
  std::string name;
  std::uint64_t seen;
};

struct FolderNames {
  std::vector<ListedName> subfolders;
  std::vector<ListedName> pages;
};

// No name may lead the walk out of its folder. Windows allows no separator in a name, but a Linux name
// seen through Wine may hold a backslash: such an entry cannot be reached by its name, and is left out.
bool IsNameOfItsOwn(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}

void SortByLocale(std::vector<ListedName>& names) {
  QuickSortItems(
      names, [](const ListedName& a, const ListedName& b) { return LocaleCompareNoCase(a.units, b.units); });
}

// A folder counts only when its attribute word is the directory bit alone: a hidden or
// read-only folder is judged by its name like a file.
FolderNames ReadFolderNames(const std::string& folder) {
  FolderNames names;
  TSearchRec record;
  for (int error = FindFirstEntry(folder + "\\*.*", faAnyFile, record); error == 0;
       error = FindNextEntry(record)) {
    if (!IsNameOfItsOwn(record.Name)) continue;
    const bool subfolder = record.Attr == faDirectory;
    if (!subfolder && !IsListedExtension(ExtensionOf(record.Name))) continue;
    ListedName listed{reinterpret_cast<const char16_t*>(record.FindData.cFileName), record.Name,
                      SeenObject({static_cast<std::uint32_t>(record.Attr), record.Time != 0})};
    (subfolder ? names.subfolders : names.pages).push_back(std::move(listed));
  }
  EndSearch(record);
  SortByLocale(names.subfolders);
  SortByLocale(names.pages);
  return names;
}

}  // namespace

std::uint64_t SeenObject(const SeenEntry& entry) {
  return kSeenMark | (entry.dated ? kDatedMark : 0) | entry.attributes;
}

std::optional<SeenEntry> SeenEntryOf(std::uint64_t object) {
  if (!(object & kSeenMark)) return std::nullopt;
  return SeenEntry{static_cast<std::uint32_t>(object), (object & kDatedMark) != 0};
}

bool IsListedExtension(const std::string& extension) {
  for (const char* listed : kListedExtensions) {
    if (AsciiCompareNoCase(extension, listed) == 0) return true;
  }
  return false;
}

int ScanFolder(const std::string& folder, TStringList& list, int depth, int deepest, ProgressSink& progress) {
  const FolderNames names = ReadFolderNames(folder);
  const int d = depth + 1;
  const std::string prefix = ScanEntryPrefix(d, folder);
  int total = 0;

  if (d <= deepest) {
    for (const ListedName& subfolder : names.subfolders) {
      const int entry = list.AddObject(prefix + subfolder.name, subfolder.seen);
      const int pages_below = ScanFolder(folder + "\\" + subfolder.name, list, d, deepest, progress);
      total += pages_below;
      if (pages_below == 0) list.Delete(entry);  // its end markers stay
    }
  }

  const int page_count = static_cast<int>(names.pages.size());
  if (page_count > 0) progress.SetMaximum(page_count - 1);
  for (int i = 0; i < page_count; ++i) {
    list.AddObject(prefix + names.pages[i].name, names.pages[i].seen);
    progress.SetPosition(i);
  }
  if (d <= deepest) list.Add(kScanListEndMarker);
  return page_count + total;
}

}  // namespace skimdex
