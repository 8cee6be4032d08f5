#include "text/utf8.h"

namespace skimdex {
namespace {

// Bytes in a character that begins with `lead`, or 0 when no character begins with it; C0 and C1
// could only begin overlong forms, F5 and above only values past U+10FFFF.
std::size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// The smallest value a form of that many bytes may carry: a smaller one is overlong.
constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

std::optional<char32_t> DecodeUtf8Character(std::string_view bytes, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::size_t length = Utf8Length(lead);
  if (length == 0 || bytes.size() - at < length) return std::nullopt;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  if (c < kSmallestOfLength[length] || IsSurrogate(c) || c > 0x10FFFF) return std::nullopt;
  at += length;
  return c;
}

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
  std::u32string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto c = DecodeUtf8Character(bytes, at);
    if (!c) return std::nullopt;
    text += *c;
  }
  return text;
}

}  // namespace skimdex
