// Scenarios of the configuration dialog and the folder browser, driving the real Skimdex.exe.
#include "gui/scenario.h"

#include <commctrl.h>
#include <dlgs.h>

#include <tuple>

#include "ui/config_resource.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

using testing::TextValue;

// Skimdexの設定
const std::string kConfigCaption = "Skimdex\x82\xCC\x90\xDD\x92\xE8";

using ConfigDialog = Scenario;

HWND ShowConfigDialog(Program& program) {
  program.Command(IDM_CONFIG);
  return program.Window(kConfigCaption, "#32770");
}

void Close(HWND dialog, int button) {
  Click(GetDlgItem(dialog, button));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
}

TEST_F(ConfigDialog, OkStoresTheFieldsAsTextAndTheNextRunUsesThem) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  BuildTree();
  const testing::Outcome console = ConsoleRun("10", out + "\\console.html");
  Program program(SkimdexPath(), out);
  const HWND dialog = ShowConfigDialog(program);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowEnabled(program.Main()));
  const HWND folder = GetDlgItem(dialog, IDC_CONFIG_EDIT1), file = GetDlgItem(dialog, IDC_CONFIG_EDIT2),
             depth = GetDlgItem(dialog, IDC_CONFIG_SPINEDIT1);
  EXPECT_EQ(std::tuple(TextOf(folder), TextOf(file), TextOf(depth)),
            std::tuple(ProgramFolder(), "Localindex.html", "2"));

  // The dialog's hints show in the main window's status line: スキャンの深さ(1-10)
  PointAt(depth);
  EXPECT_TRUE(WaitUntil([&] {
    return program.StatusLine() == "\x83\x58\x83\x4C\x83\x83\x83\x93\x82\xCC\x90\x5B\x82\xB3(1-10)";
  })) << program.StatusLine();
  SetWindowTextA(folder, (tree + "\\").c_str());
  SetWindowTextA(file, "config.html");
  MouseClick(depth);
  EXPECT_TRUE(WaitFocus(depth));
  SendMessageA(depth, EM_SETSEL, 0, -1);
  TypeText("25");
  PressKey(VK_RETURN);  // refused with a beep: OK is not pressed
  EXPECT_FALSE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 500));
  EXPECT_EQ(TextOf(depth), "25");
  // The click takes the focus from the field first, which clamps it.
  MouseClick(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue(tree));
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue("config.html"));
  EXPECT_EQ(settings.Get("Config", "IniFilePath"), TextValue(ProgramFolder()));
  EXPECT_EQ(settings.Get("Config", "FolderLevel"), TextValue("10"));

  const HWND start = GetDlgItem(program.Main(), IDM_START);
  Click(start);
  ASSERT_TRUE(program.WaitText(start, "Finish"));
  EXPECT_EQ(TextOf(GetDlgItem(program.Main(), IDC_MEMO)) + "\r\n", console.out);
  EXPECT_NE(testing::ReadWholeFile(out + "\\config_sub.html"), "<missing>");
}

TEST_F(ConfigDialog, ChosenFileShowsAsFolderAndNameAndCancelWritesNothing) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  Program program(SkimdexPath(), out);
  HWND dialog = ShowConfigDialog(program);
  ASSERT_NE(dialog, nullptr);
  Click(GetDlgItem(dialog, IDC_CONFIG_SPEEDBUTTON2));
  // 保存ファイルの指定
  const HWND save =
      program.Window("\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8E\x77\x92\xE8", "#32770");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(GetWindow(save, GW_OWNER), dialog);
  // The file name field: the edit of the combo box inside the dialog's extended name combo box.
  const HWND name_box = FindWindowExA(GetDlgItem(save, cmb13), nullptr, WC_COMBOBOXA, nullptr);
  SetWindowTextA(FindWindowExA(name_box, nullptr, WC_EDITA, nullptr), (out + "\\chosen.html").c_str());
  Click(GetDlgItem(save, IDOK));
  const HWND file = GetDlgItem(dialog, IDC_CONFIG_EDIT2);
  EXPECT_TRUE(program.WaitText(file, out + "\\chosen.html")) << TextOf(file);
  Close(dialog, IDCANCEL);
  EXPECT_EQ(settings.Get("Config", "IniFileName"), std::nullopt);

  // The fields keep their text between showings; OK stores the full path.
  dialog = ShowConfigDialog(program);
  EXPECT_EQ(TextOf(file), out + "\\chosen.html");
  Close(dialog, IDOK);
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue(out + "\\chosen.html"));
  EXPECT_EQ(settings.Get("Config", "IniFilePath"), TextValue(out));
}

// Tab visits the controls in the design's order, each "..." right after its field; Enter presses the
// focused button, and in a text field presses OK.
TEST_F(ConfigDialog, TabReachesTheBrowseButtonsAndEnterPressesTheFocusedButton) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  Program program(SkimdexPath(), out);
  const HWND dialog = ShowConfigDialog(program);
  ASSERT_NE(dialog, nullptr);
  MouseClick(GetDlgItem(dialog, IDC_CONFIG_EDIT1));
  for (const int id : {IDC_CONFIG_SPEEDBUTTON1, IDC_CONFIG_EDIT2, IDC_CONFIG_SPEEDBUTTON2,
                       IDC_CONFIG_SPINEDIT1, IDOK, IDCANCEL, IDC_CONFIG_HELPBTN, IDC_CONFIG_EDIT1,
                       IDC_CONFIG_SPEEDBUTTON1, IDC_CONFIG_EDIT2, IDC_CONFIG_SPEEDBUTTON2}) {
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFocus(GetDlgItem(dialog, id))) << id << " after " << GetDlgCtrlID(FocusIn(dialog));
  }
  PressKey(VK_RETURN);
  // 保存ファイルの指定
  const HWND save =
      program.Window("\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8E\x77\x92\xE8", "#32770");
  ASSERT_NE(save, nullptr);
  Close(save, IDCANCEL);
  EXPECT_TRUE(WaitFocus(GetDlgItem(dialog, IDC_CONFIG_SPEEDBUTTON2)));
  PressKey(VK_TAB, VK_SHIFT);
  ASSERT_TRUE(WaitFocus(GetDlgItem(dialog, IDC_CONFIG_EDIT2)));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue("Localindex.html"));
}

// The main window's folder button: the dialog stays hidden, the main window is disabled, the stored
// folder is highlighted; a folder comes back without a trailing "\", a drive with one.
TEST_F(ConfigDialog, FolderButtonBrowsesWithTheDialogHidden) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const std::string picked = temp.Folder("tree\\picked");
  ReadEveryFolderOn(picked);
  settings.Set("Config", "IniSeekDir", picked);
  Program program(SkimdexPath(), out);

  program.Command(IDM_SCAN_FOLDER);
  HWND browser = program.DialogWith(WC_TREEVIEWA);
  ASSERT_NE(browser, nullptr);
  EXPECT_FALSE(IsWindowEnabled(program.Main()));
  EXPECT_EQ(program.Window(kConfigCaption, "#32770", 0), nullptr);
  EXPECT_EQ(program.TreeSelection(GetDlgItem(browser, kBrowserTree)), "picked");
  Close(browser, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.Main()); }));
  HWND dialog = ShowConfigDialog(program);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_CONFIG_EDIT1)), picked);
  Close(dialog, IDCANCEL);

  program.Command(IDM_SCAN_FOLDER);
  browser = program.DialogWith(WC_TREEVIEWA);
  ASSERT_NE(browser, nullptr);
  const HWND tree_view = GetDlgItem(browser, kBrowserTree), status = GetDlgItem(browser, kBrowserStatus);
  const LPARAM drives = SendMessageA(tree_view, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (LPARAM item = SendMessageA(tree_view, TVM_GETNEXTITEM, TVGN_CHILD, drives); item;
       item = SendMessageA(tree_view, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
    SendMessageA(tree_view, TVM_SELECTITEM, TVGN_CARET, item);
    if (TextOf(status) == "C:\\") break;
  }
  EXPECT_EQ(TextOf(status), "C:\\");
  Close(browser, IDOK);
  dialog = ShowConfigDialog(program);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_CONFIG_EDIT1)), "C:\\");
  Close(dialog, IDOK);
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue("C:"));
}

}  // namespace
}  // namespace skimdex::gui
