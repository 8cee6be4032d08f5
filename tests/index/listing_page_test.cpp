#include "index/listing_page.h"

#include <gtest/gtest.h>

#include "index/recording_progress.h"
#include "index/walk.h"
#include "settings/settings.h"
#include "support/samples.h"
#include "support/temp_folder.h"
#include "text/text_file.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

using testing::ReadWholeFile;
using testing::RecordingProgress;
using testing::TempFolder;

const std::string kHead =
    "<HTML>\r\n<HEAD>\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n"
    "<TITLE>Index of Local Folder</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n"
    "<BASE TARGET=\"Zelmo\">\r\n";
const std::string kFoot = "</BODY>\r\n</HTML>\r\n";
const std::string kSpace = "\x81\x40";  // full-width space

std::string Spaces(int n) {
  std::string spaces;
  for (int i = 0; i < n; ++i) spaces += kSpace;
  return spaces;
}

std::string FolderTable(int depth, const std::string& caption) {
  return "<TABLE>\r\n<TR><TD NOWRAP><FONT SIZE=\"+1\">" + Spaces(depth) + caption +
         "</FONT></TD></TR>\r\n</TABLE>\r\n";
}

std::string PageTable(int depth, const std::string& path, const std::string& title) {
  return "<TABLE>\r\n<TR><TD NOWRAP>" + Spaces(depth) + "<A HREF=\"file:///" + path + "\">" + title +
         "</A></TD></TR>\r\n</TABLE>\r\n";
}

TStringList ListOf(const std::vector<std::string>& entries) {
  TStringList list;
  for (const std::string& entry : entries) list.Add(entry);
  return list;
}

TEST(ListingPageName, ReplacesTheExtension) {
  EXPECT_EQ(ListingPageName("C:\\Out\\Localindex.html"), "C:\\Out\\Localindex_sub.html");
  EXPECT_EQ(ListingPageName("C:\\my.dir\\index"), "C:\\my.dir\\index_sub.html");
  EXPECT_EQ(ListingPageName("Localindex.html"), "Localindex_sub.html");
}

class WriteListingPageTest : public ::testing::Test {
 protected:
  std::string Write(const TStringList& list, ProgressSink&& progress = NoProgress()) {
    WriteListingPage(output, list, Current_path, progress);
    return ReadWholeFile(temp.Path() + "\\out_sub.html");
  }
  TempFolder temp;
  std::string output = temp.Path() + "\\out.html";
};

TEST_F(WriteListingPageTest, EndMarkersOnlyOrNoEntriesGiveTheNineLines) {
  EXPECT_EQ(Write(ListOf({"0"})), kHead + kFoot);
  RecordingProgress progress;
  WriteListingPage(output, TStringList(), Current_path, progress);  // no progress range to set for nothing
  EXPECT_EQ(ReadWholeFile(temp.Path() + "\\out_sub.html"), kHead + kFoot);
  EXPECT_TRUE(progress.calls.empty());
}

TEST_F(WriteListingPageTest, RowsFollowTheFileSystemAtWritingTime) {
  const std::string tree = temp.Folder("tree");
  temp.Folder("tree\\kept");
  temp.Folder("tree\\gone");
  temp.File("tree\\gone\\p.html", "<title>P</title>\r\n");
  temp.File("tree\\kept\\q.html", "<TITLE>Q & \"R\" <b></TITLE>\r\n");
  Current_path = tree;
  folder_level = 2;
  TStringList list;
  NoProgress no_progress;
  ScanFolder(tree, list, 0, folder_level, no_progress);
  testing::RemoveTree(tree + "\\gone");  // between walk and write

  EXPECT_EQ(Write(list), kHead + PageTable(1, tree + "\\gone", "") +
                             PageTable(2, tree + "\\gone\\p.html", "") + FolderTable(1, "kept") +
                             PageTable(2, tree + "\\kept\\q.html", "Q & \"R\" &lt;b&gt;") + kFoot);
}

TEST_F(WriteListingPageTest, DeepEntriesAndJapaneseCaptions) {
  const std::string& hyo = testing::kHyo;
  const std::string folder = temp.Folder(hyo);
  temp.File(hyo + "\\a.txt");
  Current_path = temp.Path();
  const std::string entry_folder = FromCp932(folder);  // the scan list holds UTF-8
  const TStringList list = ListOf({"10" + entry_folder, "11" + entry_folder + "\\a.txt", "0"});
  EXPECT_EQ(Write(list), kHead + FolderTable(10, hyo) + PageTable(11, folder + "\\a.txt", "a.txt") + kFoot);
}

TEST_F(WriteListingPageTest, RelativeScanFolderBeginningWithADigit) {
  temp.Folder("2024");
  temp.File("2024\\a.html", "<title>A</title>");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(temp.Path().c_str());
  Current_path = "2024";
  folder_level = 1;
  TStringList list;
  NoProgress no_progress;
  ScanFolder(Current_path, list, 0, folder_level, no_progress);
  const std::string page = Write(list);
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(list[0], "12024\\a.html");
  EXPECT_EQ(page, kHead + PageTable(1, "2024\\a.html", "A") + kFoot);
}

// An LF-only title converts to bytes that hold a Ctrl-Z; reopening the page to append must not cut it.
TEST_F(WriteListingPageTest, TitleHoldingCtrlZKeepsTheRowsAfterIt) {
  const std::string a = temp.File("a.html",
                                  "<title>\n"
                                  "\x82\x9A</title>"),
                    b = temp.File("b.html");
  EXPECT_EQ(Write(ListOf({"1" + a, "1" + b, "0"})), kHead +
                                                        PageTable(1, a,
                                                                  "\n"
                                                                  "\x02\x1A") +
                                                        PageTable(1, b, "b.html") + kFoot);
}

// End markers leave the bar alone; the whole page leaves it at its maximum.
TEST_F(WriteListingPageTest, ProgressCoversEveryEntryButEndMarkers) {
  temp.File("a.html");
  Current_path = temp.Path();
  RecordingProgress progress;
  WriteListingPage(output, ListOf({"1" + temp.Path() + "\\a.html", "0", "1" + temp.Path() + "\\b.html", "0"}),
                   Current_path, progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"max 3", "pos 0", "pos 2", "pos 3"}));
}

// The new listing page is a temporary file until it is whole: the listing page in the tree is read as
// the previous run left it.
TEST_F(WriteListingPageTest, EarlierListingInTheTreeShowsItsPreviousTitle) {
  Current_path = temp.Path();
  const TStringList list = ListOf({"1" + temp.Path() + "\\out_sub.html", "0"});
  const std::string expected =
      kHead + PageTable(1, temp.Path() + "\\out_sub.html", "Index of Local Folder") + kFoot;
  temp.File("out_sub.html", kHead + kFoot);
  EXPECT_EQ(Write(list), expected);
  EXPECT_EQ(Write(list), expected);
}

// A hard link elsewhere keeps the old page: the listing page's name gets a new file.
TEST_F(WriteListingPageTest, HardLinkToTheOldListingPageKeepsItsContent) {
  const std::string a = temp.File("a.html", "<title>A</title>"), alias = temp.Path() + "\\alias.html";
  ASSERT_TRUE(
      CreateHardLinkA(alias.c_str(), temp.File("out_sub.html", "<title>Old</title>").c_str(), nullptr));
  Current_path = temp.Path();
  EXPECT_EQ(Write(ListOf({"1" + a, "1" + alias, "0"})),
            kHead + PageTable(1, a, "A") + PageTable(1, alias, "Old") + kFoot);
  EXPECT_EQ(ReadWholeFile(alias), "<title>Old</title>");
}

TEST_F(WriteListingPageTest, PagesHeldByOthersGiveTheirFileNames) {
  const std::string writing = temp.File("w.html", "<title>W</title>"),
                    exclusive = temp.File("x.html", "<title>X</title>"),
                    unheld = temp.File("z.html", "<title>Z</title>");
  const HANDLE holders[] = {
      CreateFileA(writing.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                  0, nullptr),
      CreateFileA(exclusive.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
  Current_path = temp.Path();
  const std::string page = Write(ListOf({"1" + writing, "1" + exclusive, "1" + unheld, "0"}));
  for (const HANDLE holder : holders) CloseHandle(holder);
  EXPECT_EQ(page, kHead + PageTable(1, writing, "w.html") + PageTable(1, exclusive, "x.html") +
                      PageTable(1, unheld, "Z") + kFoot);
}

TEST_F(WriteListingPageTest, FirstIoFailureRaisesAndLeavesNoPendingError) {
  temp.Folder("out_sub.html");  // the listing page's name is taken by a folder
  Current_path = temp.Path();
  NoProgress progress;
  try {
    WriteListingPage(output, ListOf({"0"}), Current_path, progress);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Code(), 5);
  }
  EXPECT_EQ(TakeIoError(), 0);
}

}  // namespace
}  // namespace skimdex
