#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

// The scan folder as Explorer hands it over: the program's command line and dropped items.
namespace skimdex {

// The program's Unicode command line (CommandLineToArgvW) in UTF-8, after the program's own name.
std::vector<std::string> CommandLineArguments();

// The paths a drop holds, in its order; the drop itself is left to its owner.
std::vector<std::string> DroppedPaths(HDROP drop);
// WM_DROPFILES: the paths the drop holds; the drop is finished (DragFinish) in every case.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

// The scan folder that dropped `paths` give, the disk telling which are folders; nothing for none.
std::optional<std::string> DroppedScanFolder(const std::vector<std::string>& paths);

}  // namespace skimdex
