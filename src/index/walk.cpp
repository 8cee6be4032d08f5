#include "index/walk.h"

#include "settings/settings.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/path.h"

namespace skimdex {
namespace {

const char* const kListedExtensions[] = {".html", ".htm", ".shtml", ".cgi", ".txt"};
constexpr char kEndMarker[] = "0";

struct FolderNames {
  TStringList subfolders;
  TStringList pages;
};

// No name may lead the walk out of its folder. Windows allows no separator in a name, but a Linux name
// seen through Wine may hold a backslash: such an entry cannot be reached by its name, and is left out.
bool IsNameOfItsOwn(const std::string& name) {
  return name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}

// A folder counts only when its attribute word is the directory bit alone: a hidden or
// read-only folder is judged by its name like a file.
FolderNames ReadFolderNames(const std::string& folder) {
  FolderNames names;
  TSearchRec record;
  for (int error = FindFirstEntry(folder + "\\*.*", faAnyFile, record); error == 0;
       error = FindNextEntry(record)) {
    if (!IsNameOfItsOwn(record.Name)) continue;
    if (record.Attr == faDirectory) {
      names.subfolders.Add(record.Name);
    } else if (IsListedExtension(ExtensionOf(record.Name))) {
      names.pages.Add(record.Name);
    }
  }
  EndSearch(record);
  names.subfolders.Sort();
  names.pages.Sort();
  return names;
}

}  // namespace

bool IsListedExtension(const std::string& extension) {
  for (const char* listed : kListedExtensions) {
    if (AsciiCompareNoCase(extension, listed) == 0) return true;
  }
  return false;
}

int ScanFolder(const std::string& folder, TStringList& list, int depth, ProgressSink& progress) {
  const FolderNames names = ReadFolderNames(folder);
  const int d = depth + 1;
  const std::string prefix = DecimalText(d) + folder + "\\";
  int total = 0;

  if (d <= folder_level) {
    for (const std::string& name : names.subfolders) {
      const int entry = list.Add(prefix + name);
      const int pages_below = ScanFolder(folder + "\\" + name, list, d, progress);
      total += pages_below;
      if (pages_below == 0) list.Delete(entry);  // its end markers stay
    }
  }

  if (names.pages.Count() > 0) progress.SetMaximum(names.pages.Count() - 1);
  for (int i = 0; i < names.pages.Count(); ++i) {
    list.Add(prefix + names.pages[i]);
    progress.SetPosition(i);
  }
  if (d <= folder_level) list.Add(kEndMarker);
  return names.pages.Count() + total;
}

}  // namespace skimdex
