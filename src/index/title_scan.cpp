#include "index/title_scan.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "sjisconv/sjisconv.h"
#include "text/cp932.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

constexpr char kOpenTag[] = "<TITLE>";
constexpr std::size_t kOpenTagLength = sizeof kOpenTag - 1;
constexpr char kCloseTag[] = "</TITLE>";
constexpr char kCommentMark[] = "<!-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCharset = "CHARSET";

// Position of the closing tag in `text`, any case, or 0. Each line is upper-cased once.
std::size_t CloseTagIn(const std::string& text) { return FindBytes(kCloseTag, AsciiUpper(text)); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A byte that may go on in a charset name, in an upper-cased line.
bool IsNameByte(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_'; }

// Whether "charset" ending at `at` in the upper-cased line goes on with blanks, "=", blanks, an
// optional quote and a UTF-8 name that no further name byte extends ("utf-8x" is another name).
bool NamesUtf8At(std::string_view upper, std::size_t at) {
  const auto skip_blanks = [&] {
    while (at < upper.size() && IsBlank(upper[at])) ++at;
  };
  skip_blanks();
  if (at == upper.size() || upper[at] != '=') return false;
  ++at;
  skip_blanks();
  if (at < upper.size() && (upper[at] == '"' || upper[at] == '\'')) ++at;
  for (const std::string_view name : {"UTF-8", "UTF8"}) {
    const std::size_t end = at + name.size();
    if (upper.substr(at, name.size()) == name) return end == upper.size() || !IsNameByte(upper[end]);
  }
  return false;
}

// Both `<meta charset="utf-8">` and the http-equiv form `content="text/html; charset=utf-8"`.
bool DeclaresUtf8(std::string_view upper) {
  for (std::size_t at = upper.find(kCharset); at != std::string_view::npos;
       at = upper.find(kCharset, at + 1)) {
    if (NamesUtf8At(upper, at + kCharset.size())) return true;
  }
  return false;
}

// Position of the opening tag in the upper-cased line, or 0; the search ends at the first NUL. In
// UTF-8 it goes byte by byte: no ASCII byte stands inside a character there, while the code page 932
// boundary rule could take a character's last byte for a lead byte and skip the tag after it.
std::size_t OpenTagIn(const std::string& upper, bool utf8) {
  if (!utf8) return FindAtCharStart(kOpenTag, upper);
  return FindBytes(kOpenTag, upper.substr(0, upper.find('\0')));
}

// Sets `title` from the first line with an opening tag: up to a closing tag on that line, else the
// rest of the line plus what precedes the first closing tag on a later line. A byte order mark
// counts at the start of the first line, after any blanks the reader passed over.
void ReadTitle(LineSource& lines, ScannedTitle& title) {
  bool utf8 = false;
  for (bool first_line = true; !lines.AtEndSkippingBlanks(); first_line = false) {
    const std::string line = lines.ReadTextLine();
    const std::string upper = AsciiUpper(line);
    utf8 = utf8 || (first_line && line.starts_with(kByteOrderMark)) || DeclaresUtf8(upper);
    const std::size_t open = OpenTagIn(upper, utf8);
    if (open == 0) continue;
    title = {line.substr(open - 1 + kOpenTagLength), utf8};
    if (const std::size_t close = CloseTagIn(title.text); close != 0) {
      title.text.resize(close - 1);
      return;
    }
    while (!lines.AtEndSkippingBlanks()) {
      const std::string next = lines.ReadTextLine();
      if (const std::size_t close = CloseTagIn(next); close != 0) {
        title.text.append(next, 0, close - 1);
        return;
      }
    }
    return;
  }
}

bool HasHighByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

// Stands in the converter's input for a character that code page 932 lacks: bytes below 0x21 pass
// the converter unchanged in every code, and no Windows name holds one.
constexpr char kAside = '\x01';

std::string FileNameCaption(const std::string& name) {
  std::string bytes;
  std::u32string aside;
  for (const char32_t c : CharactersOfName(name)) {
    const std::string form = c >= 0x80   ? Cp932FormOf(c)
                             : c >= 0x20 ? std::string(1, static_cast<char>(c))
                                         : std::string();
    bytes += form.empty() ? std::string(1, kAside) : form;
    if (form.empty()) aside += c;
  }
  const std::string converted = TAutoSjisConv().ConvertToSjis(bytes);
  std::string caption;
  std::size_t next = 0;
  for (const char b : converted) {
    caption += b == kAside && next < aside.size() ? CharacterReference(aside[next++]) : std::string(1, b);
  }
  return caption;
}

}  // namespace

ScannedTitle ScanPageTitle(LineSource& lines, const std::string& file_name) {
  const ScannedTitle name_title{.text = file_name, .file_name = true};
  ScannedTitle title = name_title;
  try {
    ReadTitle(lines, title);
  } catch (const std::exception&) {
    return title;  // e.g. memory for a huge line: the caption is what was read before
  }
  if (title.text.empty() || FindBytes(kCommentMark, title.text) != 0) return name_title;
  return title;
}

// ASCII-only titles may still be 7-bit JIS, and a page that declares UTF-8 may be written in another
// code: those go through the converter as on any other page.
std::string PageCaption(const ScannedTitle& title) {
  if (title.file_name) return FileNameCaption(title.text);
  if (title.utf8 && HasHighByte(title.text) && title.text.find('\0') == std::string::npos) {
    if (const auto characters = DecodeUtf8(title.text)) return Cp932WithReferences(*characters);
  }
  return TAutoSjisConv().ConvertToSjis(title.text);
}

}  // namespace skimdex
