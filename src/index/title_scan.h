#pragma once

#include <string>

#include "text/text_reader.h"

// Finding a page's title in its lines, and the caption made from it, without the file system.
namespace skimdex {

struct ScannedTitle {
  std::string text;
  bool utf8 = false;       // taken from a page read as UTF-8
  bool file_name = false;  // the page's UTF-8 file name, standing in for a title
};

// The text between "<TITLE>" and "</TITLE>" (any case) of the first line holding the opening tag,
// or the UTF-8 `file_name` when that is empty or holds "<!-". If reading fails by an exception, the title
// collected so far is returned as it stands. A page is read as UTF-8 from its byte order mark, or
// from a line that declares charset UTF-8 up to and including the opening tag's line.
ScannedTitle ScanPageTitle(LineSource& lines, const std::string& file_name);

// The title in Shift_JIS: well-formed UTF-8 with a byte above 0x7F and no NUL in code page 932 with
// character references, anything else through the Shift_JIS converter. A file name goes through the
// converter in its code page 932 form, and what that form lacks comes back as character references.
std::string PageCaption(const ScannedTitle& title);

}  // namespace skimdex
