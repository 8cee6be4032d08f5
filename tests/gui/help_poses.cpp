// Puts Wine's help viewer into the states that scripts/screenshots-help.sh photographs, through the
// real Skimdex.exe: the configuration dialog's help button, then the contents request. For each
// pose it writes "<name> <width>x<height>+<left>+<top>" to FOLDER\pose.txt and waits until the
// script has taken the picture and removed the file.
//
//   help_poses FOLDER
#include <cstdio>
#include <fstream>

#include "gui/help_driver.h"
#include "support/stored_settings.h"
#include "text/directory.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

constexpr DWORD kPictureTimeoutMs = 60000;
// The viewer opens at Wine's default size, mostly empty: each picture gets a size that fits its topic,
// clear of the main window (at 20, 20 on an empty registry), in front.
constexpr int kViewerLeft = 260, kViewerWidth = 640;
constexpr int kConfigHeight = 480, kContentsHeight = 300;

bool Pose(const std::string& folder, const std::string& name, HWND window, int height) {
  SetWindowPos(window, HWND_TOP, kViewerLeft, 0, kViewerWidth, height, 0);
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);  // the viewer paints after its messages
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const std::string pose_file = folder + "\\pose.txt", partial_file = folder + "\\pose.tmp";
  std::ofstream(partial_file) << name << ' ' << bounds.right - bounds.left << 'x'
                              << bounds.bottom - bounds.top << '+' << bounds.left << '+' << bounds.top
                              << '\n';
  // The script must never read half a line.
  MoveFileExA(partial_file.c_str(), pose_file.c_str(), MOVEFILE_REPLACE_EXISTING);
  return WaitUntil([&] { return GetFileAttributesA(pose_file.c_str()) == INVALID_FILE_ATTRIBUTES; },
                   kPictureTimeoutMs);
}

int HelpPoses(const std::string& folder) {
  const testing::StoredSettings settings;
  Program program(ProgramFolder() + "Skimdex.exe", folder);
  const HWND dialog = AskConfigHelp(program);
  HWND viewer = nullptr;
  if (!dialog || !WaitUntil([&] { return (viewer = HelpViewer()) != nullptr; })) return 1;
  if (ShownTitle(viewer, kConfigTopic) != kConfigTopic || !Pose(folder, "help-config", viewer, kConfigHeight)) return 1;
  Click(GetDlgItem(dialog, IDCANCEL));
  program.Command(IDM_HELP_CONTENTS);
  if (ShownTitle(viewer, kContentsTopic) != kContentsTopic ||
      !Pose(folder, "help-contents", viewer, kContentsHeight))
    return 1;
  PostMessageA(program.Main(), WM_CLOSE, 0, 0);
  return program.WaitExit() && WaitUntil([&] { return !IsWindow(viewer); }) ? 0 : 1;
}

}  // namespace
}  // namespace skimdex::gui

int main(int argc, char** argv) {
  if (argc == 2) return skimdex::gui::HelpPoses(argv[1]);
  std::fprintf(stderr, "usage: help_poses FOLDER\n");
  return 64;
}
