#include "index/title.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/temp_folder.h"
#include "text/text_file.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

using namespace std::string_literals;
using testing::TempFolder;

// What the listing page writer does next: any error the title left pending would surface here.
void ExpectLaterFileOperationsClean(const TempFolder& temp) {
  EXPECT_EQ(TakeIoError(), 0);
  TextFile listing;
  AssignText(listing, temp.File("listing.html"));
  OpenTextForAppending(listing);
  WriteText(listing, "row");
  WriteLineEnd(listing);
  CloseText(listing);
  EXPECT_NO_THROW(CheckIo());
}

TEST(GetPageTitle, ReadsAndConvertsTheTitle) {
  TempFolder temp;
  const struct {
    std::string name, bytes, title;
  } cases[] = {
      {"a.html", "<html>\r\n<head><title>My Page</title></head>\r\n", "My Page"},
      {"notitle.html", "<p>text</p>\r\n", "notitle.html"},
      {"empty.html", "", "empty.html"},
      {"euc.html", "<title>\xB0\xA1</title>", "\x88\x9F"},                   // EUC-JP 亜
      {"jis.html", "<title>\x1B$BF|K\\\x1B(B</title>", "\x93\xFA\x96\x7B"},  // JIS 日本
      {"sjis.html", "<TITLE>\x93\xFA\x96\x7B</TITLE>", "\x93\xFA\x96\x7B"},  // Shift_JIS 日本
      {"\xB1\xB2.html", "<p>no title</p>", "\x89\x51.html"},                 // ｱｲ taken for EUC-JP
      {"nul-lead.html", "\0\0\0<title>T</title>"s, "T"},
      {"nul-before.html", "x\0<title>T</title>"s, "nul-before.html"},
      {"nul-inside.html", "<title>A\0B</title>"s, "A"},
      {"utf16.html", "\xFF\xFE<\0t\0i\0t\0l\0e\0>\0\xE5\x65\x2C\x67<\0/\0t\0i\0t\0l\0e\0>\0"s,
       "\x93\xFA\x96\x7B"},  // 日本
      {"picture.html",
       "\x89\x50NG\r\n"
       "\x1A\n"
       "\x00\x00\x00\rIHDR\x00\x00\x00\x10<title>x</title>"s,
       "picture.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetPageTitle(FromCp932(temp.File(c.name, c.bytes))), c.title) << c.name;
    ExpectLaterFileOperationsClean(temp);
  }
}

TEST(GetPageTitle, MissingPageOrFolderGivesNothing) {
  TempFolder temp;
  EXPECT_EQ(GetPageTitle(temp.Path() + "\\missing.html"), "");
  EXPECT_EQ(GetPageTitle(temp.Folder("folder.html")), "");
  ExpectLaterFileOperationsClean(temp);
}

TEST(GetPageTitle, PageHeldExclusivelyGivesItsFileName) {
  TempFolder temp;
  const std::string path = temp.File("held.html", "<title>Hidden</title>");
  const HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  {
    TextFile probe;  // the holder really shuts others out
    AssignText(probe, path);
    OpenTextForReading(probe);
    EXPECT_EQ(TakeIoError(), ERROR_SHARING_VIOLATION);
  }
  EXPECT_EQ(GetPageTitle(path), "held.html");
  CloseHandle(holder);
  ExpectLaterFileOperationsClean(temp);
}

TEST(GetPageTitle, HugePages) {
  TempFolder temp;
  const std::string title_line = std::string(3 << 20, 'x') + "<title>Big</title>" + std::string(1 << 20, 'y');
  EXPECT_EQ(GetPageTitle(temp.File("long-line.html", title_line + "\r\n")), "Big");
  std::string no_title;
  for (int i = 0; i < 40000; ++i) no_title += "<p>line " + std::to_string(i) + "</p>\r\n";
  EXPECT_EQ(GetPageTitle(temp.File("long-page.html", no_title)), "long-page.html");
  ExpectLaterFileOperationsClean(temp);
}

double SecondsToRead(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(GetPageTitle(path), "line.html");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One line without a title is the worst case: it is collected whole before it is searched.
TEST(GetPageTitle, TimeGrowsLinearlyWithTheLine) {
  TempFolder temp;
  temp.Folder("1");
  temp.Folder("8");
  const std::string small = temp.File("1\\line.html", std::string(1 << 20, 'a'));
  const std::string large = temp.File("8\\line.html", std::string(8 << 20, 'a'));
  SecondsToRead(small);  // warms the file cache
  // The better of two runs each, and a floor under the small one, keep a busy machine from failing it.
  const double small_seconds = std::min(SecondsToRead(small), SecondsToRead(small));
  const double large_seconds = std::min(SecondsToRead(large), SecondsToRead(large));
  // Linear reading takes about 8 times as long; quadratic about 64 times.
  EXPECT_LT(large_seconds, 24 * std::max(small_seconds, 0.02))
      << small_seconds << " s, " << large_seconds << " s";
}

}  // namespace
}  // namespace skimdex
