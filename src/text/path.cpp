#include "text/path.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/cp932.h"

namespace skimdex {
namespace {

constexpr char kVerbatimPrefix[] = "\\\\?\\";
constexpr char kVerbatimUncPrefix[] = "\\\\?\\UNC\\";

// UTF-8 puts no separator byte inside a character: no byte counts as a lead byte.
std::size_t LastIndexOf(const std::string& separators, const std::string& path) {
  return LastSeparatorIndex(separators, path, kNoLeadBytes);
}

// Position of the "." that starts the extension, or 0.
std::size_t ExtensionDotIndex(const std::string& path) {
  const std::size_t i = LastIndexOf(".\\:", path);
  return i > 0 && path[i - 1] == '.' ? i : 0;
}

std::vector<std::string> NamesOf(const std::string& path) {
  std::vector<std::string> names(1);
  for (const char c : path) {
    if (c == '\\' || c == '/') {
      names.emplace_back();
    } else {
      names.back() += c;
    }
  }
  return names;
}

}  // namespace

std::string FolderPartOf(const std::string& path) { return path.substr(0, LastIndexOf("\\:", path)); }

std::string NamePartOf(const std::string& path) { return path.substr(LastIndexOf("\\:", path)); }

std::string FileNameOf(const std::string& path) { return path.substr(LastIndexOf("\\", path)); }

std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = ExtensionDotIndex(path);
  return dot > 0 ? path.substr(dot - 1) : std::string();
}

std::string WithoutExtension(const std::string& path) {
  const std::size_t dot = ExtensionDotIndex(path);
  return dot > 0 ? path.substr(0, dot - 1) : path;
}

std::string ParentFolderOf(const std::string& path) {
  std::size_t i = LastIndexOf("\\:", path);
  // A root ("C:\", "\\") keeps its separator.
  if (i > 1 && path[i - 1] == '\\' && path[i - 2] != ':' && path[i - 2] != '\\') --i;
  return path.substr(0, i);
}

std::string ArgumentPath(const std::string& argument) {
  if (!argument.ends_with('"')) return argument;
  return argument.substr(0, argument.size() - 1) + "\\";
}

bool IsFullPath(const std::string& path) {
  const char drive = path.empty() ? '\0' : AsciiUpper(path.substr(0, 1))[0];
  const bool drive_root = drive >= 'A' && drive <= 'Z' && path.compare(1, 2, ":\\") == 0;
  return drive_root || path.rfind("\\\\", 0) == 0;
}

std::string WithoutLongPathPrefix(const std::string& path) {
  if (path.rfind(kVerbatimUncPrefix, 0) == 0) return "\\\\" + path.substr(sizeof kVerbatimUncPrefix - 1);
  if (path.rfind(kVerbatimPrefix, 0) == 0) return path.substr(sizeof kVerbatimPrefix - 1);
  return path;
}

// Asked for every path a system call takes, so it goes through the names in place, after any prefix.
bool HoldsNameTheSystemWouldChange(const std::string& path) {
  std::string_view names = path;
  for (const std::string_view prefix : {kVerbatimUncPrefix, kVerbatimPrefix}) {
    if (names.starts_with(prefix)) {
      names.remove_prefix(prefix.size());
      break;
    }
  }
  std::size_t start = 0;
  while (start <= names.size()) {
    const std::size_t end = std::min(names.find_first_of("\\/", start), names.size());
    const std::string_view name = names.substr(start, end - start);
    if (!name.empty() && name != "." && name != ".." && (name.back() == '.' || name.back() == ' '))
      return true;
    start = end + 1;
  }
  return false;
}

std::string FoldedDotNames(const std::string& full_path) {
  const std::size_t root = full_path.starts_with("\\\\") ? 4 : 1;  // "", "", server, share; or the drive
  const std::vector<std::string> names = NamesOf(full_path);
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool dots = i >= root && (names[i] == "." || names[i] == "..");
    if (dots && names[i] == ".." && kept.size() > root) kept.pop_back();
    if (!dots) kept.push_back(names[i]);
  }
  std::string folded;
  for (std::size_t i = 0; i < kept.size(); ++i) folded += (i == 0 ? "" : "\\") + kept[i];
  return kept.size() == 1 && root == 1 ? folded + "\\" : folded;  // a drive's root
}

std::string VerbatimForm(const std::string& full_path) {
  const std::string path = WithoutLongPathPrefix(full_path);
  const bool unc = path.rfind("\\\\", 0) == 0;
  std::vector<std::string> kept;
  for (const std::string& name : NamesOf(path)) {
    if (name.empty() || name == ".") continue;
    // ".." never climbs above the drive, or the server and share of a UNC path.
    if (name == ".." && kept.size() > (unc ? 2u : 1u)) kept.pop_back();
    if (name != "..") kept.push_back(name);
  }
  std::string form = unc ? kVerbatimUncPrefix : kVerbatimPrefix;
  for (std::size_t i = 0; i < kept.size(); ++i) form += (i == 0 ? "" : "\\") + kept[i];
  if (kept.size() == 1 && !unc) form += "\\";  // a drive's root
  return form;
}

}  // namespace skimdex
