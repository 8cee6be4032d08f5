#include "index/title_scan.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "sjisconv/sjisconv.h"
#include "text/byte_search.h"
#include "text/cp932.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

constexpr std::string_view kOpenTag = "<TITLE>";
constexpr std::size_t kOpenTagLength = kOpenTag.size();
constexpr std::string_view kCloseTag = "</TITLE>";
constexpr char kCommentMark[] = "<!-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCharset = "CHARSET";

// A line upper-cased for the searches, into a buffer that the lines share: the lines themselves are
// read where they lie, and only this one copy of each is made.
std::string_view UpperCased(std::string_view line, std::string& buffer) {
  buffer.resize(line.size());
  std::transform(line.begin(), line.end(), buffer.begin(), [](char c) {
    return static_cast<char>(c - (static_cast<unsigned char>(c - 'a') < 26 ? 0x20 : 0));
  });
  return buffer;
}

// Position of the closing tag in the upper-cased text, or 0.
std::size_t CloseTagIn(std::string_view upper) {
  const std::size_t at = FindText(upper, kCloseTag);
  return at == std::string_view::npos ? 0 : at + 1;
}

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
  for (std::size_t at = FindText(upper, kCharset); at != std::string_view::npos;
       at = FindText(upper, kCharset, at + 1)) {
    if (NamesUtf8At(upper, at + kCharset.size())) return true;
  }
  return false;
}

// Position of the opening tag in the upper-cased line, or 0; the search ends at the first NUL. In
// UTF-8 it goes byte by byte: no ASCII byte stands inside a character there, while the code page 932
// boundary rule could take a character's last byte for a lead byte and skip the tag after it.
// Upper-casing changes no lead byte, so the rule holds on the upper-cased line as on the line.
std::size_t OpenTagIn(std::string_view upper, bool utf8) {
  upper = upper.substr(0, FindByte(upper, '\0'));
  for (std::size_t at = FindText(upper, kOpenTag); at != std::string_view::npos;
       at = FindText(upper, kOpenTag, at + 1)) {
    if (utf8 || CharKindAt(upper, at + 1) != CharKind::Trail) return at + 1;
  }
  return 0;
}

// Sets `title` from the first line with an opening tag: up to a closing tag on that line, else the
// rest of the line plus what precedes the first closing tag on a later line. A byte order mark
// counts at the start of the first line, after any blanks the reader passed over.
void ReadTitle(LineSource& lines, ScannedTitle& title) {
  std::string buffer;  // the upper-cased line
  bool utf8 = false;
  for (bool first_line = true; !lines.AtEndSkippingBlanks(); first_line = false) {
    const std::string_view line = lines.ReadTextLine();
    const std::string_view upper = UpperCased(line, buffer);
    utf8 = utf8 || (first_line && line.starts_with(kByteOrderMark)) || DeclaresUtf8(upper);
    const std::size_t open = OpenTagIn(upper, utf8);
    if (open == 0) continue;
    const std::size_t start = open - 1 + kOpenTagLength;
    if (const std::size_t close = CloseTagIn(upper.substr(start)); close != 0) {
      title = {std::string(line.substr(start, close - 1)), utf8};
      return;
    }
    title = {std::string(line.substr(start)), utf8};
    while (!lines.AtEndSkippingBlanks()) {
      const std::string_view next = lines.ReadTextLine();
      if (const std::size_t close = CloseTagIn(UpperCased(next, buffer)); close != 0) {
        title.text.append(next.substr(0, close - 1));
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
