#include "index/title_scan.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

#include "index/page_bytes.h"
#include "sjisconv/sjisconv.h"
#include "text/byte_search.h"
#include "text/cp932.h"
#include "text/encoding_labels.h"
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

constexpr DeclaredEncoding kUtf8{LabelledEncoding::Utf8};

// A byte of a charset label, in an upper-cased line: every label of the standard is made of these.
bool IsLabelByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_' || c == '.' || c == ':';
}

// The label after "charset" ending at `at` in the upper-cased line: blanks, "=", blanks, an optional
// quote, then the label's bytes. Empty when no "=" follows.
std::string_view LabelAt(std::string_view upper, std::size_t at) {
  const auto skip_blanks = [&] {
    while (at < upper.size() && IsBlank(upper[at])) ++at;
  };
  skip_blanks();
  if (at == upper.size() || upper[at] != '=') return {};
  ++at;
  skip_blanks();
  if (at < upper.size() && (upper[at] == '"' || upper[at] == '\'')) ++at;
  std::size_t end = at;
  while (end < upper.size() && IsLabelByte(upper[end])) ++end;
  return upper.substr(at, end - at);
}

// What a label declares here: nothing for a label the standard does not list or a code page this
// system cannot convert. GB18030 falls back to GBK, as the standard allows.
std::optional<DeclaredEncoding> UsableEncoding(std::string_view label) {
  std::optional<DeclaredEncoding> encoding = EncodingOfLabel(label);
  if (!encoding || encoding->kind != LabelledEncoding::CodePage || CanDecodeCodePage(encoding->code_page))
    return encoding;
  if (encoding->fallback_page != 0 && CanDecodeCodePage(encoding->fallback_page)) {
    encoding->code_page = encoding->fallback_page;
    return encoding;
  }
  return std::nullopt;
}

// The encoding in force after a line: a UTF-8 declaration wins wherever it stands, as it always did;
// of the others the first usable one counts, as in a browser. Both `<meta charset="...">` and the
// http-equiv form `content="text/html; charset=..."` are found.
void TakeDeclarations(std::string_view upper, std::optional<DeclaredEncoding>& declared) {
  if (declared && declared->kind == LabelledEncoding::Utf8) return;
  for (std::size_t at = FindText(upper, kCharset); at != std::string_view::npos;
       at = FindText(upper, kCharset, at + 1)) {
    const std::optional<DeclaredEncoding> found = UsableEncoding(LabelAt(upper, at + kCharset.size()));
    if (!found || (declared && found->kind != LabelledEncoding::Utf8)) continue;
    declared = found;
    if (declared->kind == LabelledEncoding::Utf8) return;
  }
}

// Whether the tag search goes byte by byte: in UTF-8 and the system's other code pages no "<" stands
// inside a character, while the code page 932 boundary rule could skip a tag after a Latin letter.
bool ByteWise(const std::optional<DeclaredEncoding>& declared) {
  return declared &&
         (declared->kind == LabelledEncoding::Utf8 || declared->kind == LabelledEncoding::CodePage);
}

// Position of the opening tag in the upper-cased line, or 0; the search ends at the first NUL. Byte
// by byte it takes the first tag; else the code page 932 boundary rule skips a tag whose "<" is a
// character's second byte. Upper-casing changes no lead byte, so the rule holds on the upper-cased
// line as on the line.
std::size_t OpenTagIn(std::string_view upper, bool byte_wise) {
  upper = upper.substr(0, FindByte(upper, '\0'));
  for (std::size_t at = FindText(upper, kOpenTag); at != std::string_view::npos;
       at = FindText(upper, kOpenTag, at + 1)) {
    if (byte_wise || CharKindAt(upper, at + 1) != CharKind::Trail) return at + 1;
  }
  return 0;
}

// Sets `title` from the first line with an opening tag: up to a closing tag on that line, else the
// rest of the line plus what precedes the first closing tag on a later line. A UTF-8 byte order mark
// counts at the start of the first line, after any blanks the reader passed over; `declared` holds
// what the lines up to the title's declare.
void ReadTitle(LineSource& lines, ScannedTitle& title, std::optional<DeclaredEncoding>& declared) {
  std::string buffer;  // the upper-cased line
  for (bool first_line = true; !lines.AtEndSkippingBlanks(); first_line = false) {
    const std::string_view line = lines.ReadTextLine();
    const std::string_view upper = UpperCased(line, buffer);
    if (first_line && line.starts_with(kByteOrderMark)) declared = kUtf8;
    TakeDeclarations(upper, declared);
    const std::size_t open = OpenTagIn(upper, ByteWise(declared));
    if (open == 0) continue;
    const std::size_t start = open - 1 + kOpenTagLength;
    if (const std::size_t close = CloseTagIn(upper.substr(start)); close != 0) {
      title = {std::string(line.substr(start, close - 1))};
      return;
    }
    title = {std::string(line.substr(start))};
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

namespace {

// The title of `lines` and whether a byte order mark or a declaration decided its encoding.
struct LinesTitle {
  ScannedTitle title;
  bool decided = false;
};

LinesTitle ScanLines(LineSource& lines, const std::string& file_name,
                     std::optional<DeclaredEncoding> declared) {
  const ScannedTitle name_title{.text = file_name, .file_name = true};
  ScannedTitle title = name_title;
  const auto as_declared = [&] {
    title.utf8 = declared && declared->kind == LabelledEncoding::Utf8;
    title.code_page = declared && declared->kind == LabelledEncoding::CodePage ? declared->code_page : 0;
  };
  try {
    ReadTitle(lines, title, declared);
  } catch (const std::exception&) {
    as_declared();
    return {title, true};  // e.g. memory for a huge line: the caption is what was read before
  }
  if (title.text.empty() || FindBytes(kCommentMark, title.text) != 0 ||
      (declared && declared->kind == LabelledEncoding::Replacement)) {
    return {name_title, true};
  }
  as_declared();
  return {title, declared.has_value()};
}

}  // namespace

ScannedTitle ScanPageTitle(LineSource& lines, const std::string& file_name) {
  return ScanLines(lines, file_name, std::nullopt).title;
}

// A page that says nothing of its encoding is UTF-8 only when all of it is: among the kanji, many
// Shift_JIS and EUC-JP pairs are well-formed UTF-8 too, and only the rest of the page tells them apart.
ScannedTitle ScanPage(ByteSource& page, const std::string& file_name) {
  PageBytes bytes(page);
  TextReader lines(bytes);
  lines.AtEndSkippingBlanks();  // the first read, which tells a UTF-16 page by its mark
  LinesTitle scanned = ScanLines(lines, file_name, bytes.Utf16() ? std::optional(kUtf8) : std::nullopt);
  ScannedTitle& title = scanned.title;
  if (!scanned.decided && HasHighByte(title.text) && bytes.ReadsOnAsUtf8()) title.utf8 = true;
  return title;
}

// ASCII-only titles may still be 7-bit JIS, and a page that declares UTF-8 may be written in another
// code: those go through the converter as on any other page. A title of a declared code page goes
// out as a UTF-8 title does.
std::string PageCaption(const ScannedTitle& title) {
  if (title.file_name) return FileNameCaption(title.text);
  const bool decodable = HasHighByte(title.text) && title.text.find('\0') == std::string::npos;
  if (decodable && title.code_page != 0)
    return Cp932WithReferences(DecodeCodePage(title.code_page, title.text));
  if (decodable && title.utf8) {
    if (const auto characters = DecodeUtf8(title.text)) return Cp932WithReferences(*characters);
  }
  return TAutoSjisConv().ConvertToSjis(title.text);
}

}  // namespace skimdex
