#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "text/unicode.h"

namespace skimdex {
namespace {

// All of `in` converted by `cd`, or nothing when iconv rejects any of it.
std::optional<std::string> Convert(iconv_t cd, std::string in) {
  std::string out(4 * in.size() + 16, '\0');
  char* in_at = in.data();
  std::size_t in_left = in.size();
  char* out_at = out.data();
  std::size_t out_left = out.size();
  if (iconv(cd, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

// Single bytes that Windows' code page 932 maps both ways and glibc's leaves out.
constexpr struct {
  char32_t character;
  char byte;
} kWindowsOnlyBytes[] = {
    {0x0080, '\x80'}, {0xF8F0, '\xA0'}, {0xF8F1, '\xFD'}, {0xF8F2, '\xFE'}, {0xF8F3, '\xFF'}};

// glibc's names for the Windows code pages that pages may declare.
constexpr struct {
  unsigned code_page;
  const char* name;
} kIconvNames[] = {
    {866, "CP866"},         {874, "CP874"},         {936, "GBK"},           {949, "CP949"},
    {950, "BIG5"},          {1250, "CP1250"},       {1251, "CP1251"},       {1252, "CP1252"},
    {1253, "CP1253"},       {1254, "CP1254"},       {1255, "CP1255"},       {1256, "CP1256"},
    {1257, "CP1257"},       {1258, "CP1258"},       {10000, "MACINTOSH"},   {10007, "MAC-CYRILLIC"},
    {20866, "KOI8-R"},      {21866, "KOI8-U"},      {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},  {28600, "ISO-8859-10"}, {28603, "ISO-8859-13"}, {28604, "ISO-8859-14"},
    {28605, "ISO-8859-15"}, {28606, "ISO-8859-16"}, {54936, "GB18030"},
};

const char* IconvNameOf(unsigned code_page) {
  for (const auto& [page, name] : kIconvNames) {
    if (page == code_page) return name;
  }
  return nullptr;
}

}  // namespace

bool CanDecodeCodePage(unsigned code_page) { return IconvNameOf(code_page) != nullptr; }

// Like the system's conversion, a byte that starts no character becomes U+FFFD and the rest goes on.
std::u32string DecodeCodePage(unsigned code_page, std::string_view bytes) {
  const char* name = IconvNameOf(code_page);
  if (name == nullptr) return {};
  const iconv_t cd = iconv_open("UTF-32LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in(bytes);
  std::u32string text(2 * in.size() + 2, U'\0');  // room for a character a code page holds back
  char* in_at = in.data();
  std::size_t in_left = in.size();
  char* out_at = reinterpret_cast<char*>(text.data());
  std::size_t out_left = text.size() * sizeof(char32_t);
  while (in_left > 0) {
    if (iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;
    ++in_at;
    --in_left;
    const char32_t replacement = U'\xFFFD';
    std::memcpy(out_at, &replacement, sizeof replacement);
    out_at += sizeof replacement;
    out_left -= sizeof replacement;
  }
  iconv(cd, nullptr, nullptr, &out_at, &out_left);
  iconv_close(cd);
  text.resize(text.size() - out_left / sizeof(char32_t));
  return text;
}

// glibc's CP932 maps a few characters one way only (U+00A5 and U+301C among them); the read back
// refuses those, as on Windows. Both conversions are stateless and stay open for the process.
std::string Cp932FormOf(char32_t c) {
  static const iconv_t to_cp932 = iconv_open("CP932", "WCHAR_T");
  static const iconv_t from_cp932 = iconv_open("WCHAR_T", "CP932");
  for (const auto& [character, byte] : kWindowsOnlyBytes) {
    if (character == c) return std::string(1, byte);
  }
  const auto wide = static_cast<wchar_t>(c);
  const std::string wide_bytes(reinterpret_cast<const char*>(&wide), sizeof wide);
  const std::optional<std::string> bytes = Convert(to_cp932, wide_bytes);
  if (!bytes || Convert(from_cp932, *bytes) != wide_bytes) return {};
  return *bytes;
}

std::string FromCp932(std::string_view text) {
  static const iconv_t from_cp932 = iconv_open("UTF-8", "CP932");
  return Convert(from_cp932, std::string(text)).value_or(std::string());
}

std::string ToCp932(std::string_view text) {
  std::string bytes;
  for (const char32_t c : CharactersOfName(text)) {
    const std::string form = c < 0x80 ? std::string(1, static_cast<char>(c)) : Cp932FormOf(c);
    bytes += form.empty() ? "?" : form;
  }
  return bytes;
}

}  // namespace skimdex
