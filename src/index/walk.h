#pragma once

#include <string>

#include "index/progress.h"
#include "text/string_list.h"

namespace skimdex {

// True for .html .htm .shtml .cgi .txt, ASCII case ignored; `extension` includes its ".".
bool IsListedExtension(const std::string& extension);

// Appends the scan entries of `folder`'s tree to `list` (depth + path, or the end marker "0"),
// down to the setting folder_level; `depth` is the depth of `folder` itself, 0 for the scan folder.
// Returns the number of page entries added. Unreadable folders contribute no names.
int ScanFolder(const std::string& folder, TStringList& list, int depth, ProgressSink& progress);

}  // namespace skimdex
