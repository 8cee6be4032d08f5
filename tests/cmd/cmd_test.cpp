// Runs the real SkimdexCmd.exe on trees built here and compares what it leaves with expected files.
#include <gtest/gtest.h>

#include "support/killed_runs.h"
#include "support/run_program.h"
#include "support/samples.h"
#include "support/stored_settings.h"
#include "support/temp_folder.h"
#include "support/test_guard.h"
#include "support/unicode_tree.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/path.h"

namespace skimdex {
namespace {

using testing::Outcome;
using testing::ReadWholeFile;
using testing::RunProgram;
using testing::StoredSettings;
using testing::TempFolder;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// An expected file with {ROOT} and {OUT} standing for the folders of this run.
std::string Expected(const std::string& name, const std::string& root, const std::string& out) {
  const std::string text = ReadWholeFile(std::string(SKIMDEX_EXPECTED_DIR) + "\\" + name);
  return Replaced(Replaced(text, "{ROOT}", root), "{OUT}", out);
}

// A message box as SkimdexCmd prints it on standard error.
std::string Printed(const testing::Box& box) { return box.title + "\r\n" + box.text + "\r\n"; }
const std::string kWriteFailedBox = Printed(testing::kWriteFailedBox);
const std::string kTemplateMissingBox = Printed(testing::kTemplateMissingBox);
std::string OverwriteBox(const std::string& name) { return Printed(testing::OverwriteBox(name)); }

class SkimdexCmd : public ::testing::Test {
 protected:
  SkimdexCmd() : tree(temp.Folder("tree")), out(temp.Folder("out")) {}

  Outcome RunIn(const std::string& program_folder, std::vector<std::string> arguments) {
    return RunProgram(program_folder + "\\SkimdexCmd.exe", arguments, out);
  }
  Outcome Run(std::vector<std::string> arguments) { return RunIn(ProgramFolder(), arguments); }

  // A copy of the program beside a template of our own, or none.
  std::string ProgramCopy(const std::string* template_bytes) {
    const std::string folder = temp.Folder("bin");
    CopyFileA((ProgramFolder() + "SkimdexCmd.exe").c_str(), (folder + "\\SkimdexCmd.exe").c_str(), FALSE);
    if (template_bytes) temp.File("bin\\Skimdex.dat", *template_bytes);
    return folder;
  }

  TempFolder temp;
  std::string tree, out;
};

// The tree of the byte-for-byte run: nested and pruned folders, the three encodings, a hidden folder
// named like a page, Japanese names whose second byte is "\\", a page with LF line ends.
void BuildTree(const TempFolder& temp) {
  const std::string& hyo = testing::kHyo;
  const std::string& so = testing::kSo;
  temp.File("tree\\index.html",
            "<HTML>\r\n"
            "<HEAD><TITLE>\x83\x67\x83\x62\x83\x76</TITLE></HEAD>\r\n");  // トップ
  temp.File("tree\\notes.txt", "\x83\x81\x83\x82\r\n");                   // メモ, no title
  temp.Folder("tree\\" + hyo);
  temp.File("tree\\" + hyo + "\\" + so + ".html", "<title>\x95\x5C\x82\xC6\x83\x5C</title>\r\n");  // 表とソ
  temp.Folder("tree\\euc");
  temp.File("tree\\euc\\e.htm",
            "<html>\n"
            "<title>\xC6\xFC\xB5\xAD</title>\n");  // 日記 in EUC-JP
  temp.Folder("tree\\jis");
  temp.File("tree\\jis\\j.shtml", "<TITLE>\x1B$B8E$$F|5-\x1B(B</TITLE>\r\n");  // 古い日記 in 7-bit JIS
  temp.Folder("tree\\lf");
  temp.File("tree\\lf\\unix.html", "<html>\n<head>\n<title>Unix Page</title>\n</head>\n");
  temp.Folder("tree\\old.html", FILE_ATTRIBUTE_HIDDEN);
  temp.File("tree\\old.html\\x.html", "<title>X</title>");
  temp.Folder("tree\\empty");
  temp.Folder("tree\\empty\\sub");
  temp.File("tree\\empty\\sub\\image.png", "PNG");
  temp.Folder("tree\\deep");
  temp.Folder("tree\\deep\\a");
  temp.Folder("tree\\deep\\a\\b");
  temp.File("tree\\deep\\a\\b\\p.html", "<title>P</title>");
  temp.Folder("tree\\deep\\a\\b\\c");
  temp.File("tree\\deep\\a\\b\\c\\q.html", "<title>Q</title>");
}

TEST_F(SkimdexCmd, WritesBothPagesByteForByte) {
  BuildTree(temp);
  const std::string output = out + "\\Localindex.html";
  const Outcome outcome = Run({"--depth", "3", "--yes", tree, output});
  EXPECT_EQ(outcome.status, 0u) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, Expected("tree.scanlist", tree, out));
  EXPECT_EQ(ReadWholeFile(output), Expected("tree.frame.html", tree, out));
  EXPECT_EQ(ReadWholeFile(out + "\\Localindex_sub.html"), Expected("tree.listing.html", tree, out));
}

TEST_F(SkimdexCmd, TitleMarkupShowsAsText) {
  temp.File("tree\\x.html", "<title></A><SCRIPT>alert(1)</SCRIPT></title>");
  EXPECT_EQ(Run({"--yes", tree, "Localindex.html"}).status, 0u);
  EXPECT_NE(ReadWholeFile(out + "\\Localindex_sub.html")
                .find("\\x.html\">&lt;/A&gt;&lt;SCRIPT&gt;alert(1)&lt;/SCRIPT&gt;</A></TD></TR>\r\n"),
            std::string::npos);
}

// 日表 from a declaration; 〜 and an emoji, which code page 932 lacks; ｱ～ after a byte order mark.
TEST_F(SkimdexCmd, Utf8PagesGetCodePage932Captions) {
  temp.File("tree\\html5.html",
            "<!DOCTYPE html>\n"
            "<meta charset=\"utf-8\">\n"
            "<title>\xE6\x97\xA5\xE8\xA1\xA8</title>");
  temp.File("tree\\xhtml.htm",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
            "<title>\xE3\x80\x9C\xF0\x9F\x98\x80</title>");
  temp.File("tree\\bom.html", "\xEF\xBB\xBF<title>\xEF\xBD\xB1\xEF\xBD\x9E\x3C/title>");
  EXPECT_EQ(Run({"--yes", tree, "Localindex.html"}).status, 0u);
  const std::string listing = ReadWholeFile(out + "\\Localindex_sub.html");
  for (const char* row : {"bom.html\">\xB1\x81\x60</A>", "html5.html\">\x93\xFA\x95\x5C</A>",
                          "xhtml.htm\">&#12316;&#128512;</A>"}) {
    EXPECT_NE(listing.find(row), std::string::npos) << row;
  }
}

TEST_F(SkimdexCmd, MissingTemplateIsReportedBeforeAnyQuestion) {
  const std::string program = ProgramCopy(nullptr);
  const std::string output = temp.File("out\\Localindex.html", "old");
  const Outcome outcome = RunIn(program, {"--yes", tree, output});
  EXPECT_EQ(outcome.status, 1u);
  EXPECT_EQ(outcome.err, kTemplateMissingBox);
  EXPECT_EQ(ReadWholeFile(output), "old");
  EXPECT_EQ(ReadWholeFile(out + "\\Localindex_sub.html"), "<missing>");
}

TEST_F(SkimdexCmd, OverwriteQuestionDecidesWhetherAnythingIsWritten) {
  const std::string output = temp.File("out\\Localindex.html", "old");
  temp.File("tree\\a.html", "<title>A</title>");

  const Outcome refused = Run({tree, output});
  EXPECT_EQ(refused.status, 1u);
  EXPECT_EQ(refused.err, OverwriteBox(output));
  EXPECT_EQ(refused.out, "1" + tree + "\\a.html\r\n0\r\n");
  EXPECT_EQ(ReadWholeFile(output), "old");
  EXPECT_EQ(ReadWholeFile(out + "\\Localindex_sub.html"), "<missing>");

  const Outcome accepted = Run({"--yes", tree, output});
  EXPECT_EQ(accepted.status, 0u);
  EXPECT_EQ(accepted.err, OverwriteBox(output));
  EXPECT_NE(ReadWholeFile(output), "old");
  EXPECT_NE(ReadWholeFile(out + "\\Localindex_sub.html").find("\\a.html\">A</A>"), std::string::npos);
}

// A name taken by a folder stands for a write-protected file: under Wine as root, the read-only
// attribute does not stop a write.
TEST_F(SkimdexCmd, FramePageWriteFailures) {
  temp.File("tree\\a.html");
  const std::string missing_folder = out + "\\missing\\Localindex.html";
  const std::string taken_by_folder = temp.Folder("out\\folder.html");
  for (const std::string& output : {missing_folder, taken_by_folder}) {
    const Outcome outcome = Run({"--yes", tree, output});
    EXPECT_EQ(outcome.status, 1u) << output;
    EXPECT_EQ(outcome.err, kWriteFailedBox) << output;
    EXPECT_EQ(ReadWholeFile(WithoutExtension(output) + "_sub.html"), "<missing>");
  }
  EXPECT_EQ(ReadWholeFile(missing_folder), "<missing>");
}

// The template is opened before the output is created: a template that cannot be read, or the
// template itself named as the output, leaves both files as they were.
TEST_F(SkimdexCmd, TemplateIsNeverLostToTheOutput) {
  const std::string template_bytes = "<FRAME SRC=\"skimdex_sub.html\">\r\n";
  const std::string program = ProgramCopy(&template_bytes);
  const std::string template_path = program + "\\Skimdex.dat";
  const Outcome own = RunIn(program, {"--yes", tree, template_path});
  EXPECT_EQ(own.status, 1u);
  EXPECT_EQ(own.err, OverwriteBox(template_path) + kWriteFailedBox);
  EXPECT_EQ(ReadWholeFile(template_path), template_bytes);

  temp.File("out\\Localindex.html", "old");
  const HANDLE held = CreateFileA(template_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const Outcome unreadable = RunIn(program, {"--yes", tree, "Localindex.html"});
  CloseHandle(held);
  EXPECT_EQ(unreadable.status, 1u);
  EXPECT_EQ(unreadable.err, OverwriteBox("Localindex.html") + kWriteFailedBox);
  EXPECT_EQ(ReadWholeFile(out + "\\Localindex.html"), "old");
  EXPECT_EQ(ReadWholeFile(out + "\\Localindex_sub.html"), "<missing>");
}

TEST_F(SkimdexCmd, ListingPageFailureAfterTheFramePage) {
  temp.File("tree\\a.html");
  temp.Folder("out\\Localindex_sub.html");
  const Outcome outcome = Run({"--yes", tree, "Localindex.html"});
  EXPECT_EQ(outcome.status, 2u);
  // "ファイルへのアクセスが拒否されました"
  EXPECT_EQ(
      outcome.err,
      "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xD6\x82\xCC\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD\r\n");
  EXPECT_NE(ReadWholeFile(out + "\\Localindex.html").find("file:///" + out + "\\Localindex_sub.html"),
            std::string::npos);
}

TEST_F(SkimdexCmd, TemplateLinesAndPlaceholders) {
  struct Case {
    std::string template_bytes, output, frame_page;
  } cases[] = {
      {"  <A HREF=\"SKIMDEX.HTML\">x</A><A HREF=\"skimdex.html\">y</A>\r\n\r\n \t \r\n"
       "<FRAME SRC=\"Skimdex_Sub.html\"> SRC= \"skimdex.html\" HREF='skimdex.html'\r\n",
       "index",
       "<A HREF=\"file:///" + out + "\\index\">x</A><A HREF=\"file:///" + out + "\\index\">y</A>\r\n" +
           "<FRAME SRC=\"file:///" + out +
           "\\index_sub.html\"> SRC= \"skimdex.html\" HREF='skimdex.html'\r\n"},
      {"  a=\"skimdex.html\"\n  b\n\nc=\"skimdex_sub.html\"\n", "Localindex.html",
       "a=\"file:///" + out + "\\Localindex.html\"\n  b\n\nc=\"file:///" + out +
           "\\Localindex_sub.html\"\n\r\n"},
      {"", "Localindex.html", ""},
      {" \r\n\r\n\t\r\n", "Localindex.html", ""},
      {"x\x1Ay=\"skimdex.html\"\r\n", "Localindex.html", "x\r\n"},
  };
  for (const Case& c : cases) {
    const std::string program = ProgramCopy(&c.template_bytes);
    const Outcome outcome = RunIn(program, {"--yes", tree, c.output});
    EXPECT_EQ(outcome.status, 0u) << outcome.err;
    EXPECT_EQ(ReadWholeFile(out + "\\" + c.output), c.frame_page) << c.template_bytes;
    EXPECT_NE(ReadWholeFile(out + "\\" + WithoutExtension(c.output) + "_sub.html"), "<missing>");
    testing::RemoveTree(program);
  }
}

// A name that is not a full path points the frame page at the files where they are written; a full
// path goes in as given, less a "\\?\" prefix.
TEST_F(SkimdexCmd, FramePagePointsAtTheWrittenFiles) {
  const std::string template_bytes = "<FRAME SRC=\"skimdex_sub.html\"><A HREF=\"skimdex.html\">\r\n";
  const std::string program = ProgramCopy(&template_bytes);
  const struct {
    std::string output, written, address;
  } cases[] = {
      {"Localindex.html", out + "\\Localindex", out + "\\Localindex"},
      {".\\sub\\..\\dot.html", out + "\\dot", out + "\\dot"},
      {out + "\\.\\full.html", out + "\\full", out + "\\.\\full"},
      {"\\\\?\\" + out + "\\long.html", out + "\\long", out + "\\long"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunIn(program, {"--yes", tree, c.output}).status, 0u) << c.output;
    EXPECT_EQ(
        ReadWholeFile(c.written + ".html"),
        "<FRAME SRC=\"file:///" + c.address + "_sub.html\"><A HREF=\"file:///" + c.address + ".html\">\r\n")
        << c.output;
    EXPECT_NE(ReadWholeFile(c.written + "_sub.html"), "<missing>") << c.output;
  }
}

// A relative scan folder is joined to the current folder with its dots folded, a trailing dot kept:
// the scan list and the links name the pages.
TEST_F(SkimdexCmd, RelativeScanFolderIsMadeFull) {
  for (const std::string folder : {"out\\docs", "out\\site.", "site"}) {
    temp.UnicodeFolder(folder);
    temp.UnicodeFile(folder + "\\p.html", "<title>P</title>");
  }
  const struct {
    std::string folder, full;
  } cases[] = {
      {"docs", out + "\\docs"},
      {".\\docs", out + "\\docs"},
      {"..\\site", temp.Path() + "\\site"},
      {"site.", out + "\\site."},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Run({"--depth", "1", "--yes", c.folder, "Localindex.html"});
    EXPECT_EQ(outcome.out, "1" + c.full + "\\p.html\r\n0\r\n") << c.folder << outcome.err;
    EXPECT_NE(ReadWholeFile(out + "\\Localindex_sub.html").find("\"file:///" + c.full + "\\p.html\">P</A>"),
              std::string::npos)
        << c.folder;
  }
}

// Every name by its true name: links the browser follows to that file, captions it shows as the
// name, and never a page from outside the tree; the scan list in a pipe has "?" for what the code
// page lacks.
TEST_F(SkimdexCmd, UnicodeNamesAreListedByTheirTrueNames) {
  using testing::kNyumon, testing::kOngaku, testing::kOsaka, testing::kTokyo;
  tree = testing::BuildUnicodeTree(temp);
  const Outcome outcome =
      Run({"--depth", std::to_string(testing::kUnicodeTreeDepth), "--yes", tree, "u.html"});
  EXPECT_EQ(outcome.status, 0u) << outcome.err;
  EXPECT_NE(outcome.out.find("1" + tree + "\\" + kTokyo + "?" + kOsaka + ".html\r\n"), std::string::npos)
      << outcome.out;
  const std::string listing = ReadWholeFile(out + "\\u_sub.html");
  for (const std::string& row : std::vector<std::string>{
           tree + "\\" + kTokyo + "%E3%80%9C" + kOsaka + ".html\">" + kTokyo + "&#12316;" + kOsaka +
               ".html</A>",
           tree + "\\caf%C3%A9.html\">Accent</A>", tree + "\\cafe.html\">Plain</A>",
           tree + "\\C%23" + kNyumon + ".html\">C#</A>", kOngaku + "&#9829;</FONT>",
           tree + "\\" + kOngaku + "%E2%99%A5\\p.html\">Heart</A>", tree + "\\%F0%9F%98%80.htm\">Smile</A>",
           "\\a%C2%A5..%C2%A5..%C2%A5..%C2%A5x\\inside.html\">Inside</A>", tree + "\\a.\\dot.html\">Dot</A>",
           "\\jjjjjjjjjjjjjjjjjjjjjjjjjjjjjj\\deep.html\">Deep</A>"}) {
    EXPECT_NE(listing.find(row), std::string::npos) << row;
  }
  EXPECT_EQ(listing.find("Secret"), std::string::npos);
}

// A run ended from outside at any moment leaves each page whole, the previous run's or the new one;
// the next run removes what it left and writes both pages.
TEST_F(SkimdexCmd, KilledRunsLeaveThePreviousPagesOrTheNewOnesWhole) {
  const int pages = testing::KillPages(1500);
  const auto page = [&](int i, const std::string& title) {
    temp.File("tree\\" + std::to_string(i) + ".html", "<title>" + title + "</title>");
  };
  for (int i = 0; i < pages; ++i) page(i, "T" + std::to_string(i));
  const std::string frame = out + "\\index.html";
  const std::vector<std::string> arguments{"--yes", "--depth", "2", tree, frame};
  ASSERT_EQ(Run(arguments).status, 0u);
  const testing::Pages before{"<HTML>an older frame page</HTML>", testing::ReadPages(frame).listing};
  for (int i = 0; i < pages; i += 10) page(i, "New");
  const ULONGLONG begin = GetTickCount64();
  ASSERT_EQ(Run(arguments).status, 0u);
  const auto run_ms = static_cast<DWORD>(GetTickCount64() - begin);
  const testing::Pages after = testing::ReadPages(frame);
  testing::ExpectKilledRunsLeaveWholePages(frame, before, after, testing::KillMoments(10), run_ms, [&] {
    return testing::StartProgram(ProgramFolder() + "SkimdexCmd.exe", arguments, out);
  });
  ASSERT_EQ(Run(arguments).status, 0u);
  EXPECT_EQ(testing::ReadPages(frame), after);
  EXPECT_EQ(testing::TemporaryFilesIn(out), std::vector<std::string>());
}

TEST_F(SkimdexCmd, BadUsage) {
  // "'x' は整数ではありません"
  const std::string not_an_integer =
      "'x' \x82\xCD\x90\xAE\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\r\n";
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"a", "b", "c"}, {"--depth"}, {"-q"}, {"--depth", "x"}, {tree, ""}}) {
    const Outcome outcome = Run(arguments);
    EXPECT_EQ(outcome.status, 64u) << ::testing::PrintToString(arguments);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("SkimdexCmd [--depth N]"), std::string::npos);
    EXPECT_EQ(outcome.err.rfind(not_an_integer, 0) == 0, arguments.size() == 2 && arguments[1] == "x");
  }
}

TEST_F(SkimdexCmd, OmittedArgumentsComeFromStoredSettingsReadOnly) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const StoredSettings settings;
  temp.Folder("tree\\sub");
  temp.File("tree\\sub\\deep.html");
  temp.File("tree\\top.html", "<title>Top</title>");
  settings.Set("Config", "IniSeekDir", tree);
  settings.Set("Config", "IniFileName", "stored.html");
  settings.Set("Config", "FolderLevel", "0");

  Outcome outcome = Run({"--yes"});
  EXPECT_EQ(outcome.status, 0u) << outcome.err;
  EXPECT_EQ(outcome.out, "1" + tree + "\\top.html\r\n");
  EXPECT_NE(ReadWholeFile(out + "\\stored_sub.html").find(">Top</A>"), std::string::npos);

  outcome = Run({"--depth", "1", "--yes", tree, "given.html"});
  EXPECT_EQ(outcome.out,
            "1" + tree + "\\sub\r\n2" + tree + "\\sub\\deep.html\r\n1" + tree + "\\top.html\r\n0\r\n");
  EXPECT_NE(ReadWholeFile(out + "\\given.html"), "<missing>");
}

TEST_F(SkimdexCmd, StoredSettingsAreReadOnlyWhereNeeded) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const StoredSettings settings;
  temp.File("tree\\a.html");
  settings.Set("Config", "IniSeekDir",
               testing::StoredValue{REG_DWORD, std::string(4, '\0')});  // unreadable, and not needed
  settings.Set("Config", "IniFilePath",
               testing::StoredValue{REG_DWORD, std::string(4, '\0')});  // never needed
  EXPECT_EQ(Run({"--depth", "1", "--yes", tree, "given.html"}).status, 0u);

  settings.Set("Config", "IniFileName", "");  // an empty output name writes nothing anywhere
  const Outcome outcome = Run({"--depth", "1", "--yes", tree});
  EXPECT_EQ(outcome.status, 1u);
  EXPECT_EQ(outcome.out, "1" + tree + "\\a.html\r\n0\r\n");
  EXPECT_EQ(outcome.err, kWriteFailedBox);
  EXPECT_EQ(ReadWholeFile(out + "\\_sub.html"), "<missing>");
}

TEST_F(SkimdexCmd, EmptyRegistryGivesTheDefaultsAndStaysEmpty) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const StoredSettings settings;
  const Outcome outcome = Run({"--yes"});  // the program's folder, two levels, Localindex.html
  EXPECT_EQ(outcome.status, 0u) << outcome.err;
  EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "0\r\n");
  EXPECT_NE(ReadWholeFile(out + "\\Localindex.html").find("file:///" + out + "\\Localindex_sub.html"),
            std::string::npos);
  EXPECT_FALSE(StoredSettings::KeyExists());
}

}  // namespace
}  // namespace skimdex
