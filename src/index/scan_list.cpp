#include "index/scan_list.h"

#include <algorithm>
#include <climits>

#include "text/cp932.h"

namespace skimdex {
namespace {

std::size_t DigitsAtStart(const std::string& entry) {
  std::size_t digits = 0;
  while (digits < entry.size() && entry[digits] >= '0' && entry[digits] <= '9') ++digits;
  return digits;
}

int DepthValue(const std::string& digits) {
  long long value = 0;
  for (const char c : digits) value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
  return static_cast<int>(value);
}

// The scan folder and its separator stand at `at`; the separator is no digit, so one split fits.
bool ScanFolderAt(const std::string& entry, std::size_t at, const std::string& scan_folder) {
  return entry.compare(at, scan_folder.size(), scan_folder) == 0 && at + scan_folder.size() < entry.size() &&
         entry[at + scan_folder.size()] == '\\';
}

}  // namespace

std::string ScanEntryPrefix(int depth, const std::string& folder) {
  return DecimalText(depth) + folder + "\\";
}

ScanEntry SplitScanEntry(const std::string& entry, const std::string& scan_folder) {
  const std::size_t digits = DigitsAtStart(entry);
  std::size_t split = 1;
  while (split <= digits && !ScanFolderAt(entry, split, scan_folder)) ++split;
  if (split > digits) split = digits;
  return {DepthValue(entry.substr(0, split)), entry.substr(split)};
}

}  // namespace skimdex
