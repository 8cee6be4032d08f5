#include "index/title_scan.h"

#include <exception>

#include "text/cp932.h"

namespace skimdex {
namespace {

constexpr char kOpenTag[] = "<TITLE>";
constexpr std::size_t kOpenTagLength = sizeof kOpenTag - 1;
constexpr char kCloseTag[] = "</TITLE>";
constexpr char kCommentMark[] = "<!-";

// Position of the closing tag in `text`, any case, or 0. Each line is upper-cased once.
std::size_t CloseTagIn(const std::string& text) { return FindBytes(kCloseTag, AsciiUpper(text)); }

// Sets `title` from the first line with an opening tag: up to a closing tag on that line, else the
// rest of the line plus what precedes the first closing tag on a later line.
void ReadTitle(LineSource& lines, std::string& title) {
  while (!lines.AtEndSkippingBlanks()) {
    const std::string line = lines.ReadTextLine();
    const std::size_t open = FindAtCharStart(kOpenTag, AsciiUpper(line));
    if (open == 0) continue;
    title = line.substr(open - 1 + kOpenTagLength);
    if (const std::size_t close = CloseTagIn(title); close != 0) {
      title.resize(close - 1);
      return;
    }
    while (!lines.AtEndSkippingBlanks()) {
      const std::string next = lines.ReadTextLine();
      if (const std::size_t close = CloseTagIn(next); close != 0) {
        title.append(next, 0, close - 1);
        return;
      }
    }
    return;
  }
}

}  // namespace

std::string PageFileName(const std::string& path) { return path.substr(LastSeparatorIndex("\\", path)); }

std::string ScanPageTitle(LineSource& lines, const std::string& file_name) {
  std::string title = file_name;
  try {
    ReadTitle(lines, title);
  } catch (const std::exception&) {
    return title;  // e.g. memory for a huge line: the caption is what was read before
  }
  return title.empty() || FindBytes(kCommentMark, title) != 0 ? file_name : title;
}

}  // namespace skimdex
