// Puts Skimdex.exe into the states that scripts/screenshots.sh photographs. For each pose it writes
// "<name> <width>x<height>+<left>+<top>" to FOLDER\pose.txt and waits until the script has taken
// the picture and removed the file.
//
//   screenshot_poses FOLDER PAGES     every pose, a run over the pages folder PAGES
//   screenshot_poses FOLDER           the idle main window only, named main-144dpi
#include "gui/driver.h"

#include <commctrl.h>

#include <cstdio>

#include "gui/pose.h"
#include "support/samples.h"
#include "support/stored_settings.h"
#include "support/temp_folder.h"
#include "text/directory.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

void CloseDialog(HWND dialog) {
  Click(GetDlgItem(dialog, IDCANCEL) ? GetDlgItem(dialog, IDCANCEL) : GetDlgItem(dialog, IDOK));
  WaitUntil([&] { return !IsWindowVisible(dialog); });
}

int AllPoses(const std::string& folder, const std::string& pages) {
  const testing::TempFolder temp;
  const testing::StoredSettings settings;
  settings.Set("Config", "IniSeekDir", pages);
  settings.Set("Config", "IniFileName", "Localindex.html");
  ReadEveryFolderOn(pages);
  settings.Set("Config", "FolderLevel", "3");
  Program program(ProgramFolder() + "Skimdex.exe", temp.Path());
  if (!Pose(folder, "main-idle", program.Main())) return 1;

  // バージョン情報, Skimdexの設定
  program.Command(IDM_ABOUT);
  const HWND about = program.Window("\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1", "#32770");
  if (!Pose(folder, "about-box", about)) return 1;
  CloseDialog(about);
  program.Command(IDM_CONFIG);
  const HWND config = program.Window("Skimdex\x82\xCC\x90\xDD\x92\xE8", "#32770");
  if (!Pose(folder, "config-dialog", config)) return 1;
  CloseDialog(config);
  program.Command(IDM_SCAN_FOLDER);
  const HWND browser = program.DialogWith(WC_TREEVIEWA);
  // The highlight shows while the tree has the focus, as it has when a user opens the browser.
  SetForegroundWindow(browser);
  for (int tab = 0; tab < 4 && !WaitFocus(GetDlgItem(browser, kBrowserTree), 200); ++tab) PressKey(VK_TAB);
  if (!Pose(folder, "folder-browser", browser)) return 1;
  CloseDialog(browser);

  // A folder dragged from Explorer: the status line names the new scan folder; the pages' folder comes
  // back through the same door before the run.
  const HWND window = program.Main();
  if (DragFiles(window, {20, 60}, {pages + "\\docs"}) != 0 || !Pose(folder, "main-after-drop", window)) return 1;
  DragFiles(window, {20, 60}, {pages});

  const HWND start = GetDlgItem(program.Main(), IDM_START);
  Click(start);
  if (!program.WaitText(start, testing::kCaptionFinish)) return 1;
  if (!Pose(folder, "main-after-run", program.Main())) return 1;
  program.Command(IDM_EXIT);
  return program.WaitExit() ? 0 : 1;
}

int MainWindowOnly(const std::string& folder, const std::string& name) {
  const testing::StoredSettings settings;
  Program program(ProgramFolder() + "Skimdex.exe", folder);
  if (!Pose(folder, name, program.Main())) return 1;
  program.Command(IDM_EXIT);
  return program.WaitExit() ? 0 : 1;
}

}  // namespace
}  // namespace skimdex::gui

int main(int argc, char** argv) {
  if (argc == 3) return skimdex::gui::AllPoses(argv[1], argv[2]);
  if (argc == 2) return skimdex::gui::MainWindowOnly(argv[1], "main-144dpi");
  std::fprintf(stderr, "usage: screenshot_poses FOLDER [PAGES]\n");
  return 64;
}
