#pragma once

#include <windows.h>

#include <string>

namespace skimdex::gui {

// Announces `window` to the screenshot script as "<name> <width>x<height>+<left>+<top>" in
// FOLDER\pose.txt and waits until the script has taken the picture and removed the file.
bool Pose(const std::string& folder, const std::string& name, HWND window);

}  // namespace skimdex::gui
