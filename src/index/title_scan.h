#pragma once

#include <string>

#include "text/text_reader.h"

// Finding a page's title in its lines, and the caption made from it, without the file system.
namespace skimdex {

struct ScannedTitle {
  std::string text;
  bool utf8 = false;       // taken from a page read as UTF-8
  bool file_name = false;  // the page's UTF-8 file name, standing in for a title
  unsigned code_page = 0;  // taken from a page declared in this Windows code page, else 0
};

// The text between "<TITLE>" and "</TITLE>" (any case) of the first line holding the opening tag,
// or the UTF-8 `file_name` when that is empty or holds "<!-". If reading fails by an exception, the title
// collected so far is returned as it stands. The encoding is the one a line up to and including the
// opening tag's line declares (a UTF-8 declaration anywhere there, else the first usable one; a
// Japanese one leaves the title to the converter, one a browser refuses gives `file_name`), or UTF-8
// from a byte order mark at the start of the first line.
ScannedTitle ScanPageTitle(LineSource& lines, const std::string& file_name);

// The same for the lines of a page's bytes, with what the bytes themselves tell: a page with a UTF-16
// byte order mark is read as UTF-16, whatever it declares; a page with neither mark nor declaration is
// UTF-8 when its title holds a byte above 0x7F and the whole page is UTF-8 without an ISO-2022-JP
// escape, which only such a page is read to its end for.
ScannedTitle ScanPage(ByteSource& page, const std::string& file_name);

// The title in Shift_JIS: well-formed UTF-8 with a byte above 0x7F and no NUL in code page 932 with
// character references, anything else through the Shift_JIS converter. A file name goes through the
// converter in its code page 932 form, and what that form lacks comes back as character references.
std::string PageCaption(const ScannedTitle& title);

}  // namespace skimdex
