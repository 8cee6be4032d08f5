#include <iconv.h>

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

}  // namespace

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
