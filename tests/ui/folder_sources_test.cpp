#include "ui/folder_sources.h"

#include <gtest/gtest.h>

#include <set>

namespace skimdex {

void PrintTo(const StartArguments& arguments, std::ostream* out) {
  *out << (arguments.usage_error ? "usage error" : ::testing::PrintToString(arguments.folder));
}

namespace {

// ソ in UTF-8: its code page 932 form ends in "\".
const std::string kSo = "\xE3\x82\xBD";

TEST(StartArguments, TakeOneFolderAndReportEverythingElse) {
  const StartArguments none{}, usage{.folder = std::nullopt, .usage_error = true};
  const auto folder = [](std::string name) { return StartArguments{.folder = name}; };
  const std::pair<std::vector<std::string>, StartArguments> cases[] = {
      {{}, none},
      {{"D:\\site"}, folder("D:\\site")},
      {{"site\\pages"}, folder("site\\pages")},  // made full where the current folder is known
      {{"C:\""}, folder("C:\\")},                // the drive verb's "C:\"
      {{"D:\\my site\""}, folder("D:\\my site")},
      {{"\\\\srv\\share\""}, folder("\\\\srv\\share")},
      {{"D:\\" + kSo + "\""}, folder("D:\\" + kSo)},
      {{"D:\\missing"}, folder("D:\\missing")},  // refused by the door, which checks the disk
      {{"C:\" extra"}, folder("C:\" extra")},    // one argument to the system's rules
      {{"/?"}, usage},
      {{"D:\\a", "D:\\b"}, usage},
  };
  for (const auto& [arguments, expected] : cases) {
    EXPECT_EQ(ParseStartArguments(arguments), expected) << ::testing::PrintToString(arguments);
  }
}

TEST(DroppedItems, GiveTheFirstFolderElseTheFirstItemsFolder) {
  const std::set<std::string> folders = {"C:\\Web", "C:\\Web\\b", "D:\\", "C:\\" + kSo};
  const auto is_folder = [&](const std::string& path) { return folders.contains(path); };
  const std::pair<std::vector<std::string>, std::optional<std::string>> cases[] = {
      {{}, std::nullopt},
      {{"C:\\Web"}, "C:\\Web"},
      {{"C:\\Web\\a.html"}, "C:\\Web"},
      {{"C:\\Web\\a.html", "C:\\Web\\b", "C:\\Web"}, "C:\\Web\\b"},
      {{"C:\\a.html"}, "C:\\"},
      {{"D:\\"}, "D:\\"},
      {{"C:\\" + kSo + "\\a.html"}, "C:\\" + kSo},
      {{"\\\\srv\\share\\a.html"}, "\\\\srv\\share"},
  };
  for (const auto& [paths, expected] : cases) {
    EXPECT_EQ(DroppedScanFolder(paths, is_folder), expected) << ::testing::PrintToString(paths);
  }
}

}  // namespace
}  // namespace skimdex
