#include "index/listing_rows.h"

#include "index/title_scan.h"

namespace skimdex {
namespace {

constexpr char kFullWidthSpace[] = "\x81\x40";

}  // namespace

// The replaced bytes all lie below 0x40, so none is ever the second byte of a double-byte character.
std::string CaptionText(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '<') {
      result += "&lt;";
    } else if (c == '>') {
      result += "&gt;";
    } else {
      result += c;
    }
  }
  return result;
}

std::string LinkTarget(const std::string& path) {
  std::string result;
  for (const char c : path) {
    if (c == '"') {
      result += "%22";
    } else if (c == '<') {
      result += "%3C";
    } else if (c == '>') {
      result += "%3E";
    } else {
      result += c;
    }
  }
  return result;
}

std::string Indent(int depth) {
  std::string indent;
  for (int i = 0; i < depth; ++i) indent += kFullWidthSpace;
  return indent;
}

std::string FolderRow(int depth, const std::string& path) {
  return "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + Indent(depth) + CaptionText(PageFileName(path)) +
         "</FONT></TD></TR>";
}

std::string PageRow(int depth, const std::string& path, const std::string& title) {
  return "<TR><TD NOWRAP>" + Indent(depth) + "<A HREF=\"file:///" + LinkTarget(path) + "\">" +
         CaptionText(title) + "</A></TD></TR>";
}

}  // namespace skimdex
