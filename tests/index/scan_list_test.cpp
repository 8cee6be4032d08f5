#include "index/scan_list.h"

#include <gtest/gtest.h>

namespace skimdex {
namespace {

// The depth is told from the scan folder's own leading digits by the scan folder and its "\" that follow.
TEST(SplitScanEntry, DepthDigitsAndTheScanFolder) {
  struct Case {
    std::string entry, scan_folder;
    int depth;
    std::string path;
  } cases[] = {
      {"1C:\\Web\\a", "C:\\Web", 1, "C:\\Web\\a"},
      {"11C:\\Web\\a\\b", "C:\\Web", 11, "C:\\Web\\a\\b"},
      {"1\\index.html", "", 1, "\\index.html"},
      {"12024\\a.html", "2024", 1, "2024\\a.html"},
      {"112024\\x\\a.html", "2024", 11, "2024\\x\\a.html"},
      {"21\\a.html", "1", 2, "1\\a.html"},
      {"111\\a.html", "1", 11, "1\\a.html"},
      {"100\\a", "0", 10, "0\\a"},
      {"10C:\\x", "D:\\other", 10, "C:\\x"},  // not from this scan folder: all the digits
      {"99999999999999x", "", 2147483647, "x"},
  };
  for (const Case& c : cases) {
    const ScanEntry entry = SplitScanEntry(c.entry, c.scan_folder);
    EXPECT_EQ(entry.depth, c.depth) << c.entry;
    EXPECT_EQ(entry.path, c.path) << c.entry;
  }
}

}  // namespace
}  // namespace skimdex
