#pragma once

#include <string>

// The scan list: what a run found, one entry a line, in the listing page's order. A folder or a page
// is its depth (1 for the scan folder's own folders and pages) in decimal followed by its path, which
// begins with the scan folder and a "\"; the end marker follows the entries of each folder listed
// down to the depth limit. The memo, SkimdexCmd's output and the listing page all read it.
namespace skimdex {

constexpr char kScanListEndMarker[] = "0";

// What every entry of `folder`'s own folders and pages at `depth` starts with: the entry of a name is
// this prefix followed by the name.
std::string ScanEntryPrefix(int depth, const std::string& folder);
inline std::string ScanListEntry(int depth, const std::string& folder, const std::string& name) {
  return ScanEntryPrefix(depth, folder) + name;
}

struct ScanEntry {
  int depth;
  std::string path;
};

// An entry of a run over `scan_folder` split back into its depth and path: the depth is the digits
// before the scan folder and its "\". An entry that does not go on that way (a list made elsewhere)
// has all its leading digits as the depth.
ScanEntry SplitScanEntry(const std::string& entry, const std::string& scan_folder);

}  // namespace skimdex
