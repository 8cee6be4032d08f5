// Scenarios of the main window and the about box, driving the real Skimdex.exe.
#include "gui/scenario.h"

#include <commctrl.h>
#include <winver.h>

#include <cstdio>
#include <tuple>

#include "support/samples.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

using testing::ReadWholeFile;
using testing::TextValue;

const std::string kOverwriteTitle = testing::OverwriteBox("").title;

using MainWindow = Scenario;

RECT BoundsOf(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

std::string VersionText(const std::string& path, const std::string& name) {
  std::string block(GetFileVersionInfoSizeA(path.c_str(), nullptr), '\0');
  if (block.empty() ||
      !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    return "<no version record>";
  }
  WORD* translation = nullptr;
  UINT size = 0;
  VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size);
  if (size < 4) return "<no translation>";
  char query[64];
  wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name.c_str());
  char* text = nullptr;
  if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &size)) return "<missing>";
  return std::to_string(translation[0]) + " " + text;
}

TEST_F(MainWindow, FirstStartShowsHintsAndTheAboutBoxAndClosingStoresText) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  Program program(SkimdexPath(), out);
  const RECT first_bounds = BoundsOf(program.Main());
  EXPECT_EQ(std::tuple(first_bounds.left, first_bounds.top, first_bounds.right, first_bounds.bottom),
            std::tuple(20, 20, 20 + 215, 20 + 252));
  EXPECT_EQ(TextOf(Memo(program)), "");
  EXPECT_EQ(program.StatusLine(), "");
  EXPECT_TRUE(testing::StoredSettings::KeyExists());
  EXPECT_EQ(settings.Get("Locate", "Top"), std::nullopt);

  // The long part of a hint in the status line: 保存先の指定; "終了|" has none, its tooltip shows 終了.
  PointAt(FindById(program.Main(), IDM_SAVE_TO));
  EXPECT_TRUE(WaitUntil([&] {
    return program.StatusLine() == "\x95\xDB\x91\xB6\x90\xE6\x82\xCC\x8E\x77\x92\xE8";
  })) << program.StatusLine();
  PointAt(GetDesktopWindow());  // away from every window of the program: the hint goes with it
  EXPECT_TRUE(WaitUntil([&] { return program.StatusLine().empty(); }, 500)) << program.StatusLine();
  PointAt(FindById(program.Main(), IDM_SAVE_TO));
  PointAt(FindById(program.Main(), IDM_EXIT));
  EXPECT_TRUE(WaitUntil([&] { return program.StatusLine().empty(); })) << program.StatusLine();
  // The status line: 23 pixels high along the bottom of the client area.
  RECT client, status = BoundsOf(GetDlgItem(program.Main(), IDC_STATUS));
  GetClientRect(program.Main(), &client);
  MapWindowPoints(nullptr, program.Main(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(std::tuple(status.top, status.bottom), std::tuple(client.bottom - 23, client.bottom));
  EXPECT_NE(program.Window("\x8F\x49\x97\xB9", TOOLTIPS_CLASSA), nullptr) << "no tooltip";

  // The menu item "実行(&G)" highlighted from the keyboard: 現在のファイルを保存します
  SetForegroundWindow(program.Main());
  PressKey('F', VK_MENU);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] {
    return program.StatusLine() ==
           "\x8C\xBB\x8D\xDD\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7";
  })) << program.StatusLine();
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  // Input comes after posted messages: the menu must be closed before the next command.
  EXPECT_TRUE(WaitUntil([&] { return program.StatusLine().empty(); }));

  program.Command(IDM_ABOUT);
  // バージョン情報
  const HWND about = program.Window("\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1", "#32770");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(program.Main()); }));
  const std::string about_texts = StaticTexts(about);
  EXPECT_NE(about_texts.find("Skimdex"), std::string::npos) << about_texts;
  EXPECT_NE(about_texts.find("Version 1.10"), std::string::npos) << about_texts;
  Click(GetDlgItem(about, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(program.Main()); }));
  for (const auto& [name, text] :
       {std::pair("FileVersion", "1041 1.1.0.1"), std::pair("ProductVersion", "1041 1.1.0"),
        std::pair("OriginalFilename", "1041 Skimdex.exe")}) {
    EXPECT_EQ(VersionText(SkimdexPath(), name), text);
  }

  program.Command(IDM_EXIT);
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(settings.Get("Locate", "Top"), TextValue("20"));
  EXPECT_EQ(settings.Get("Locate", "Height"), TextValue("252"));
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue(ProgramFolder()));
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue("Localindex.html"));
  EXPECT_EQ(settings.Get("Config", "FolderLevel"), TextValue("2"));
}

// The run's memo and pages against SkimdexCmd's; the toolbar's run button after "Finish" runs again,
// with the caption "Writing" under the overwrite question; the Start button after "Finish" closes.
TEST_F(MainWindow, RunsLikeTheConsoleProgramAndFinishCloses) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  BuildTree();
  const std::string output = out + "\\index.html";
  const testing::Outcome console = ConsoleRun("1", output);
  ASSERT_EQ(console.status, 0u) << console.err;
  const std::string frame_page = ReadWholeFile(output),
                    listing_page = ReadWholeFile(out + "\\index_sub.html");
  DeleteFileA(output.c_str());
  StoreRunSettings("1", output);

  Program program(SkimdexPath(), out);
  Click(StartButton(program));
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter(console.out));
  EXPECT_EQ(ProgressOf(program), ProgressAfter(console.out));
  EXPECT_EQ(ReadWholeFile(output), frame_page);
  EXPECT_EQ(ReadWholeFile(out + "\\index_sub.html"), listing_page);

  program.Command(IDM_NEW_RUN);
  ASSERT_NE(program.Window(kOverwriteTitle, "#32770"), nullptr);
  EXPECT_EQ(TextOf(StartButton(program)), testing::kCaptionWriting);
  EXPECT_NE(program.AnswerMessageBox(kOverwriteTitle, IDOK).find(output), std::string::npos);
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter(console.out, console.out));

  Click(StartButton(program));
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(settings.Get("Config", "FolderLevel"), TextValue("1"));
  EXPECT_EQ(settings.Get("Locate", "Width"), TextValue("215"));
}

// A cancelled overwrite still ends in "Finish"; then the menu's "実行(&G)" closes instead of running.
TEST_F(MainWindow, CancelledOverwriteWritesNothingAndTheMenuRunAfterFinishCloses) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  BuildTree();
  const std::string output = temp.File("out\\old.html", "old");
  const testing::Outcome console = ConsoleRun("2", out + "\\console.html");
  StoreRunSettings("2", "old.html");

  Program program(SkimdexPath(), out);
  Click(StartButton(program));
  EXPECT_NE(program.AnswerMessageBox(kOverwriteTitle, IDCANCEL), "<no box>");
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter(console.out));
  EXPECT_EQ(ReadWholeFile(output), "old");
  EXPECT_EQ(ReadWholeFile(out + "\\old_sub.html"), "<missing>");

  program.Command(IDM_START);
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(TextValue("old.html"), settings.Get("Config", "IniFileName"));
}

// Without its template the program says so once the scan list is shown, and ends the run.
TEST_F(MainWindow, MissingTemplateIsReportedAfterTheScanList) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const std::string bin = temp.Folder("bin");
  ASSERT_TRUE(CopyFileA(SkimdexPath().c_str(), (bin + "\\Skimdex.exe").c_str(), FALSE));
  temp.File("tree\\a.html");
  StoreRunSettings("2", "index.html");

  Program program(bin + "\\Skimdex.exe", out);
  Click(StartButton(program));
  // Skimdex-再インストールして下さい。, Skimdex.datがありません。, 再インストールして下さい。
  const std::string reinstall =
      "\x8D\xC4\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x42";
  ASSERT_NE(program.Window("Skimdex-" + reinstall, "#32770"), nullptr);
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter("1" + tree + "\\a.html\r\n0\r\n"));
  EXPECT_EQ(program.AnswerMessageBox("Skimdex-" + reinstall, IDOK),
            "Skimdex.dat\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n" + reinstall);
  EXPECT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  EXPECT_EQ(ReadWholeFile(out + "\\index.html"), "<missing>");
}

// The listing page's I/O error reaches the general error report; the caption stays "Writing" and
// the Start button runs the whole scan again.
TEST_F(MainWindow, ListingPageErrorLeavesWritingAndTheProgramRunsOn) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  temp.File("tree\\a.html");
  temp.Folder("out\\index_sub.html");
  StoreRunSettings("2", "index.html");
  // ファイルへのアクセスが拒否されました.
  const std::string denied =
      "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xD6\x82\xCC\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD.";

  Program program(SkimdexPath(), out);
  Click(StartButton(program));
  EXPECT_EQ(program.AnswerMessageBox("Skimdex", IDOK), denied);
  EXPECT_TRUE(program.Responsive());
  EXPECT_EQ(TextOf(StartButton(program)), testing::kCaptionWriting);
  EXPECT_NE(ReadWholeFile(out + "\\index.html"), "<missing>");

  Click(StartButton(program));
  EXPECT_NE(program.AnswerMessageBox(kOverwriteTitle, IDOK), "<no box>");
  EXPECT_EQ(program.AnswerMessageBox("Skimdex", IDOK), denied);
  const std::string list = "1" + tree + "\\a.html\r\n0\r\n";
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter(list, list));
  program.Command(IDM_EXIT);
  EXPECT_TRUE(program.WaitExit());
}

// A placement value of the wrong type stops the load at once: the window keeps its designed bounds, and
// closing it overwrites none of the stored settings.
TEST_F(MainWindow, NonStringTopIsReportedAndTheProgramRunsOn) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  settings.Set("Locate", "Top", testing::StoredValue{REG_DWORD, std::string("\x05\x00\x00\x00", 4)});
  settings.Set("Locate", "Left", "300");
  settings.Set("Config", "IniFileName", "mine.html");

  Program program(SkimdexPath(), out, false);
  // 'Top' のデータ型が不正です.
  EXPECT_EQ(program.AnswerMessageBox("Skimdex", IDOK),
            "'Top' \x82\xCC\x83\x66\x81\x5B\x83\x5E\x8C\x5E\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7.");
  const RECT bounds = BoundsOf(program.Main());
  EXPECT_EQ(std::tuple(bounds.left, bounds.top, bounds.right, bounds.bottom),
            std::tuple(116, 123, 116 + 215, 123 + 252));
  EXPECT_TRUE(program.Responsive());
  program.Command(IDM_EXIT);
  ASSERT_TRUE(program.WaitExit());
  // The settings were never loaded: closing leaves them as they were stored.
  EXPECT_EQ(settings.Get("Config", "FolderLevel"), std::nullopt);
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue("mine.html"));
  EXPECT_EQ(settings.Get("Locate", "Left"), TextValue("116"));
}

// The keyboard as in a dialog: the focus starts on Start, Tab and Shift+Tab move between the memo and
// Start, Enter in the memo does nothing, Enter presses Start and the focus stays there after the run.
TEST_F(MainWindow, KeyboardMovesBetweenMemoAndStartAndPressesStart) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  temp.File("tree\\a.html");
  StoreRunSettings("2", "keys.html");
  Program program(SkimdexPath(), out);
  SetForegroundWindow(program.Main());
  ASSERT_TRUE(WaitFocus(StartButton(program)));
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFocus(Memo(program)));
  PressKey(VK_RETURN);
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_TRUE(WaitFocus(StartButton(program)));
  EXPECT_EQ(TextOf(StartButton(program)), testing::kCaptionStart);
  PressKey(VK_RETURN);
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter("1" + tree + "\\a.html\r\n0\r\n"));
  EXPECT_EQ(FocusIn(program.Main()), StartButton(program));
}

// A placement stored while a screen that has gone was attached opens inside the screen, keeping its size.
TEST_F(MainWindow, PlacementOffEveryScreenOpensInsideIt) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  for (const auto& [name, value] : {std::pair("Top", "3000"), std::pair("Left", "5000"),
                                    std::pair("Width", "300"), std::pair("Height", "0")}) {
    settings.Set("Locate", name, value);
  }
  Program program(SkimdexPath(), out);
  const RECT bounds = BoundsOf(program.Main());
  const int right = GetSystemMetrics(SM_CXSCREEN), bottom = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(std::tuple(bounds.left, bounds.top, bounds.right, bounds.bottom),
            std::tuple(right - 300, bottom - 252, right, bottom));
}

}  // namespace
}  // namespace skimdex::gui
