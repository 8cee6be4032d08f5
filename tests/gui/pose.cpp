#include "gui/pose.h"

#include <cstdio>
#include <fstream>

#include "gui/driver.h"

namespace skimdex::gui {
namespace {

// The script has a minute per picture before the poses give up.
constexpr DWORD kPictureTimeoutMs = 60000;

}  // namespace

bool Pose(const std::string& folder, const std::string& name, HWND window) {
  if (!window) {
    std::fprintf(stderr, "no window for pose %s\n", name.c_str());
    return false;
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);  // the program paints after its messages
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

}  // namespace skimdex::gui
