#pragma once

#include <string>

#include "text/text_reader.h"

// Finding a page's title in its lines, without the file system or the code conversion.
namespace skimdex {

// The bytes after the last backslash that is a whole character; the whole path without one.
std::string PageFileName(const std::string& path);

// The text between "<TITLE>" and "</TITLE>" (any case) of the first line holding the opening tag,
// or `file_name` when that is empty or holds "<!-". If reading fails by an exception, the title
// collected so far is returned as it stands.
std::string ScanPageTitle(LineSource& lines, const std::string& file_name);

}  // namespace skimdex
