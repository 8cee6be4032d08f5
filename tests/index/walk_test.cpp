#include "index/walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "index/recording_progress.h"
#include "support/samples.h"
#include "support/temp_folder.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

using testing::RecordingProgress;
using testing::TempFolder;

struct Walk {
  std::vector<std::string> entries;
  int pages;
};

Walk WalkAt(const std::string& folder, int level, ProgressSink&& progress = NoProgress()) {
  TStringList list;
  const int pages = ScanFolder(folder, list, 0, level, progress);
  return {{list.begin(), list.end()}, pages};
}

// Prefixes every path entry ("2\a\b") with the depth and the root, leaving end markers alone.
std::vector<std::string> Entries(const std::string& root, const std::vector<std::string>& relative) {
  std::vector<std::string> entries;
  for (const std::string& entry : relative) {
    if (entry == "0") {
      entries.push_back(entry);
    } else {
      const std::size_t digits = entry.find('\\');
      entries.push_back(entry.substr(0, digits) + root + entry.substr(digits));
    }
  }
  return entries;
}

TEST(ScanFolder, ReproducesTheWorkedExample) {
  TempFolder temp;
  temp.Folder("a");
  temp.Folder("a\\b");
  temp.Folder("a\\b\\deep");
  temp.File("a\\b\\deep\\too-deep.html");
  temp.File("a\\b\\p.html");
  temp.File("a\\q.htm");
  temp.Folder("empty");
  temp.File("empty\\picture.png");
  temp.File("index.html");
  temp.File("notes.txt");

  const Walk walk = WalkAt(temp.Path(), 2);
  EXPECT_EQ(walk.entries, Entries(temp.Path(), {"1\\a", "2\\a\\b", "3\\a\\b\\p.html", "2\\a\\q.htm", "0", "0",
                                                "1\\index.html", "1\\notes.txt", "0"}));
  EXPECT_EQ(walk.pages, 4);
}

TEST(ScanFolder, MissingEmptyAndUnreadableFoldersGiveOnlyEndMarkers) {
  TempFolder temp;
  temp.Folder("empty");
  EXPECT_EQ(WalkAt(temp.Path() + "\\missing", 2).entries, (std::vector<std::string>{"0"}));
  EXPECT_EQ(WalkAt(temp.Path() + "\\empty", 2).entries, (std::vector<std::string>{"0"}));
  EXPECT_EQ(WalkAt(temp.Path() + "\\missing", 2).pages, 0);
  EXPECT_TRUE(WalkAt(temp.Path() + "\\missing", 0).entries.empty());
}

TEST(ScanFolder, PrunedFoldersLeaveTheirEndMarkers) {
  TempFolder temp;
  temp.Folder("e");
  temp.Folder("e\\f");
  temp.File("z.html");
  EXPECT_EQ(WalkAt(temp.Path(), 3).entries, Entries(temp.Path(), {"0", "0", "1\\z.html", "0"}));
}

TEST(ScanFolder, DeepestLevelsUseTwoDigitDepths) {
  TempFolder temp;
  std::string relative;
  std::vector<std::string> expected;
  for (int depth = 1; depth <= 11; ++depth) {
    relative += "\\d" + std::to_string(depth);
    temp.Folder(relative.substr(1));
    temp.File(relative.substr(1) + "\\p.html");
  }
  const Walk walk = WalkAt(temp.Path(), 10);
  EXPECT_EQ(walk.pages, 10);
  ASSERT_EQ(walk.entries.size(), 30u);  // 10 folders, 10 pages, 10 end markers
  const std::string ten = temp.Path() + "\\d1\\d2\\d3\\d4\\d5\\d6\\d7\\d8\\d9\\d10";
  EXPECT_EQ(walk.entries[9], "10" + ten);
  EXPECT_EQ(walk.entries[10], "11" + ten + "\\p.html");
  EXPECT_EQ(walk.entries[11], "10" + ten.substr(0, ten.size() - 4) + "\\p.html");
}

TEST(ScanFolder, FolderLevelOutsideTheUsualRange) {
  TempFolder temp;
  temp.Folder("sub");
  temp.File("sub\\inner.html");
  temp.File("top.html");
  const auto only_top = Entries(temp.Path(), {"1\\top.html"});
  EXPECT_EQ(WalkAt(temp.Path(), 0).entries, only_top);
  EXPECT_EQ(WalkAt(temp.Path(), -1).entries, only_top);
  EXPECT_EQ(WalkAt(temp.Path(), INT_MIN).entries, only_top);
  EXPECT_EQ(WalkAt(temp.Path(), INT_MAX).entries,
            Entries(temp.Path(), {"1\\sub", "2\\sub\\inner.html", "0", "1\\top.html", "0"}));
}

TEST(ScanFolder, AttributesOtherThanDirectoryAloneMakeAFolderAFile) {
  TempFolder temp;
  temp.Folder("old.html", FILE_ATTRIBUTE_HIDDEN);
  temp.File("old.html\\inside.html");
  temp.Folder("locked", FILE_ATTRIBUTE_SYSTEM);
  temp.File("locked\\inside.html");
  temp.File("hidden.htm");
  SetFileAttributesA((temp.Path() + "\\hidden.htm").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(WalkAt(temp.Path(), 2).entries, Entries(temp.Path(), {"1\\hidden.htm", "1\\old.html", "0"}));
}

TEST(ScanFolder, ExtensionsAndSortingIgnoreCase) {
  TempFolder temp;
  for (const char* name : {"C.txt", "a.html", "INDEX.HTM", "readme.TXT", "x.SHTML", "y.Cgi", "archive.tar",
                           "page.html5", "noext", "html", "z.htmlx"}) {
    temp.File(name);
  }
  temp.Folder("B");
  temp.File("B\\b.html");
  temp.Folder("a");
  temp.File("a\\a.html");
  EXPECT_EQ(WalkAt(temp.Path(), 1).entries,
            Entries(temp.Path(), {"1\\a", "2\\a\\a.html", "1\\B", "2\\B\\b.html", "1\\a.html", "1\\C.txt",
                                  "1\\INDEX.HTM", "1\\readme.TXT", "1\\x.SHTML", "1\\y.Cgi", "0"}));
}

TEST(ScanFolder, JapaneseNamesKeepTheirBytes) {
  TempFolder temp;
  const std::string& hyo = testing::kHyo;
  const std::string& so = testing::kSo;
  temp.Folder(hyo);
  temp.File(hyo + "\\" + so + ".html");
  temp.File(so + ".txt");
  const std::string name_hyo = FromCp932(hyo), name_so = FromCp932(so);  // as the walk keeps them
  EXPECT_EQ(WalkAt(temp.Path(), 2).entries,
            Entries(temp.Path(), {"1\\" + name_hyo, "2\\" + name_hyo + "\\" + name_so + ".html", "0",
                                  "1\\" + name_so + ".txt", "0"}));
}

TEST(ScanFolder, TrailingSeparatorIsKeptAsGiven) {
  TempFolder temp;
  temp.File("p.html");
  EXPECT_EQ(WalkAt(temp.Path() + "\\", 2).entries,
            (std::vector<std::string>{"1" + temp.Path() + "\\\\p.html", "0"}));
}

TEST(ScanFolder, ReportsProgressPerFolderWithPages) {
  TempFolder temp;
  temp.Folder("s");
  temp.File("s\\1.html");
  temp.File("s\\2.html");
  temp.File("s\\3.html");
  temp.File("t.html");
  RecordingProgress progress;
  TStringList list;
  ScanFolder(temp.Path(), list, 0, 2, progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"max 2", "pos 0", "pos 1", "pos 2", "max 0", "pos 0"}));
}

// Long paths are made with the wide calls, beyond what the ANSI calls reach.
void MakeLong(const std::string& path, bool folder) {
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
  if (folder) {
    CreateDirectoryW(wide.c_str(), nullptr);
  } else {
    CloseHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
}

TEST(ScanFolder, LongNamesAndPathsAreWalkedToTheEnd) {
  TempFolder temp;
  const std::string name255 = std::string(250, 'n') + ".html";
  const std::string folder200 = temp.Path() + "\\" + std::string(200, 'f');
  MakeLong(temp.Path() + "\\" + name255, false);
  MakeLong(folder200, true);
  MakeLong(folder200 + "\\" + std::string(40, 'p') + ".html", false);
  std::string deep = temp.Path();
  for (int i = 0; i < 12; ++i) {
    deep += "\\" + std::string(30, static_cast<char>('a' + i));
    MakeLong(deep, true);
    MakeLong(deep + "\\p.html", false);
  }
  const Walk walk = WalkAt(temp.Path(), INT_MAX);
  EXPECT_NE(std::find(walk.entries.begin(), walk.entries.end(), "1" + temp.Path() + "\\" + name255),
            walk.entries.end());
  EXPECT_NE(std::find(walk.entries.begin(), walk.entries.end(), "1" + folder200), walk.entries.end());
  // The chain is walked to its end, past the system's path limit.
  EXPECT_EQ(walk.pages, 14);
  EXPECT_EQ(walk.entries.back(), "0");
}

TEST(ScanFolder, LinkToAnAncestorEndsTheWalk) {
  TempFolder temp;
  temp.Folder("loop");
  temp.File("loop\\p.html");
  const std::string link = temp.Path() + "\\loop\\back";
  ASSERT_TRUE(CreateSymbolicLinkA(link.c_str(), temp.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
      << GetLastError();
  const std::string loop = temp.Path() + "\\loop";
  for (const int level : {3, INT_MAX}) {
    const Walk walk = WalkAt(temp.Path(), level);
    EXPECT_EQ(walk.pages, 1) << level;
    EXPECT_EQ(walk.entries, (std::vector<std::string>{"1" + loop, "2" + loop + "\\p.html", "0", "0"}))
        << level;
  }
  RemoveDirectoryA(link.c_str());
}

}  // namespace
}  // namespace skimdex
