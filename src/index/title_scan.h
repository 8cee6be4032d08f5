#pragma once

#include <string>

#include "text/text_reader.h"

// Finding a page's title in its lines, and the caption made from it, without the file system.
namespace skimdex {

// The bytes after the last backslash that is a whole character; the whole path without one.
std::string PageFileName(const std::string& path);

struct ScannedTitle {
  std::string text;
  bool utf8 = false;  // taken from a page read as UTF-8, not the file name
};

// The text between "<TITLE>" and "</TITLE>" (any case) of the first line holding the opening tag,
// or `file_name` when that is empty or holds "<!-". If reading fails by an exception, the title
// collected so far is returned as it stands. A page is read as UTF-8 from its byte order mark, or
// from a line that declares charset UTF-8 up to and including the opening tag's line.
ScannedTitle ScanPageTitle(LineSource& lines, const std::string& file_name);

// The title in Shift_JIS: well-formed UTF-8 with a byte above 0x7F and no NUL in code page 932 with
// character references, anything else through the Shift_JIS converter.
std::string PageCaption(const ScannedTitle& title);

}  // namespace skimdex
