#include "text/directory.h"

#include <gtest/gtest.h>

#include <map>

#include "support/samples.h"
#include "support/temp_folder.h"
#include "text/cp932.h"
#include "text/path.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

using testing::TempFolder;

std::map<std::string, std::int32_t> Enumerate(const std::string& folder, std::int32_t mask) {
  std::map<std::string, std::int32_t> entries;
  TSearchRec record;
  for (int error = FindFirstEntry(folder + "\\*.*", mask, record); error == 0;
       error = FindNextEntry(record)) {
    entries[record.Name] = record.Attr;
  }
  EndSearch(record);
  return entries;
}

void SetWriteTime(const std::string& path, WORD year) {
  const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME system{};
  system.wYear = year;
  system.wMonth = 6;
  system.wDay = 1;
  FILETIME time;
  SystemTimeToFileTime(&system, &time);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

TEST(FindFirstEntry, MissingFolderFailsAndSoDoesTheNextCall) {
  TempFolder temp;
  TSearchRec record;
  EXPECT_NE(FindFirstEntry(temp.Path() + "\\missing\\*.*", faAnyFile, record), 0);
  EXPECT_NE(FindNextEntry(record), 0);
  EndSearch(record);
}

TEST(FindFirstEntry, ExclusionMaskAndWholeAttributeWord) {
  TempFolder temp;
  temp.Folder("plain");
  temp.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
  temp.File("page.html");

  const auto all = Enumerate(temp.Path(), faAnyFile);
  EXPECT_EQ(all.at("plain"), faDirectory);
  EXPECT_EQ(all.at("hidden"), faDirectory | faHidden);
  EXPECT_TRUE(all.count(".") && all.count(".."));

  const auto no_hidden = Enumerate(temp.Path(), faDirectory);
  EXPECT_FALSE(no_hidden.count("hidden"));
  EXPECT_TRUE(no_hidden.count("plain"));

  const auto files_only = Enumerate(temp.Path(), 0);
  EXPECT_EQ(files_only.size(), 1u);
  EXPECT_TRUE(files_only.count("page.html"));
}

TEST(FindFirstEntry, RecordHoldsSizeAndLocalDosTime) {
  TempFolder temp;
  const std::string path = temp.File("a.txt", "12345");
  SetWriteTime(path, 2001);
  TSearchRec record;
  ASSERT_EQ(FindFirstEntry(path, faAnyFile, record), 0);
  EXPECT_EQ(record.Size, 5);
  EXPECT_EQ((record.Time >> 25) + 1980, 2001);
  EXPECT_EQ((record.Time >> 21) & 0xF, 6);
  EXPECT_EQ(FindNextEntry(record), ERROR_NO_MORE_FILES);
}

TEST(ExistenceTests, FilesFoldersPatternsAndTimeStamps) {
  TempFolder temp;
  const std::string file = temp.File("page.html");
  const std::string old = temp.File("old.html");
  SetWriteTime(old, 1970);
  const std::string folder = temp.Folder("folder");
  const std::string hidden = temp.Folder("hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);

  struct Case {
    std::string path;
    bool file, folder;
  } cases[] = {
      {file, true, false},
      {old, false, false},  // a 1970 time stamp has no DOS date-time
      {folder, false, true},
      {hidden, false, true},
      {temp.Path() + "\\pa*.html", true, false},
      {temp.Path() + "\\pa?e.html", true, false},
      {temp.Path() + "\\o*", false, false},  // the only match is stamped 1970
      {file + "\\", false, false},
      {file + ":stream", false, false},
      {temp.Path() + "\\missing.html", false, false},
      {temp.Path() + "\\missing\\x.html", false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsExistingFile(c.path), c.file) << c.path;
    EXPECT_EQ(IsExistingFolder(c.path), c.folder) << c.path;
  }
}

// The names go in through the code page, and come back as the program keeps them, in UTF-8.
TEST(JapaneseNames, TrailByteBackslashIsNeverASeparator) {
  TempFolder temp;
  const std::string hyo = FromCp932(testing::kHyo), so = FromCp932(testing::kSo);
  const std::string folder = FromCp932(temp.Folder(testing::kHyo));
  const std::string page = FromCp932(temp.File(testing::kHyo + "\\" + testing::kSo + ".html", "x"));
  temp.Folder(testing::kSo);

  const auto entries = Enumerate(folder, faAnyFile);
  ASSERT_TRUE(entries.count(so + ".html"));
  EXPECT_EQ(NamePartOf(page), so + ".html");
  EXPECT_EQ(FolderPartOf(page), folder + "\\");
  EXPECT_EQ(ParentFolderOf(page), folder);
  EXPECT_EQ(NamePartOf(folder), hyo);
  EXPECT_EQ(ExtensionOf(page), ".html");
  EXPECT_TRUE(IsExistingFile(page));
  EXPECT_TRUE(IsExistingFolder(ParentFolderOf(page)));
  EXPECT_TRUE(IsExistingFolder(temp.Path() + "\\" + so));
}

}  // namespace
}  // namespace skimdex
