#pragma once

#include "ui/config.h"

namespace skimdex {

// Start-up, after the settings are loaded and before the window shows: `Skimdex.exe [FOLDER]`. FOLDER,
// made full against the current folder, goes through `config`'s door, and a bare output name is from
// then on resolved against the output folder setting (save_file_path), not against the current folder,
// which an Explorer verb sets. A switch or more than one argument is reported in a box, then ignored.
void TakeCommandLineFolder(TConfigration& config);

}  // namespace skimdex
