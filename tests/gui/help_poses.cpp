// Puts Wine's help viewer into the states that scripts/screenshots.sh photographs, through the
// real Skimdex.exe: the configuration dialog's help button, then the contents request. For each
// pose it writes "<name> <width>x<height>+<left>+<top>" to FOLDER\pose.txt and waits until the
// script has taken the picture and removed the file.
//
//   help_poses FOLDER
#include <cstdio>

#include "gui/help_driver.h"
#include "gui/pose.h"
#include "support/stored_settings.h"
#include "text/directory.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

// The viewer opens at Wine's default size, mostly empty: each picture gets a size that fits its topic,
// clear of the main window (at 20, 20 on an empty registry), in front.
constexpr int kViewerLeft = 260, kViewerWidth = 640;
constexpr int kConfigHeight = 480, kContentsHeight = 300;

bool PoseViewer(const std::string& folder, const std::string& name, HWND viewer, int height) {
  SetWindowPos(viewer, HWND_TOP, kViewerLeft, 0, kViewerWidth, height, 0);
  SetForegroundWindow(viewer);
  return Pose(folder, name, viewer);
}

int HelpPoses(const std::string& folder) {
  const testing::StoredSettings settings;
  Program program(ProgramFolder() + "Skimdex.exe", folder);
  const HWND dialog = AskConfigHelp(program);
  HWND viewer = nullptr;
  if (!dialog || !WaitUntil([&] { return (viewer = HelpViewer()) != nullptr; })) return 1;
  if (ShownTitle(viewer, kConfigTopic) != kConfigTopic ||
      !PoseViewer(folder, "help-config", viewer, kConfigHeight))
    return 1;
  Click(GetDlgItem(dialog, IDCANCEL));
  program.Command(IDM_HELP_CONTENTS);
  if (ShownTitle(viewer, kContentsTopic) != kContentsTopic ||
      !PoseViewer(folder, "help-contents", viewer, kContentsHeight))
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
