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

std::optional<char32_t> DecodeUtf8Character(std::string_view bytes, std::size_t& at, Surrogates surrogates) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::size_t length = Utf8Length(lead);
  if (length == 0 || bytes.size() - at < length) return std::nullopt;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (next & 0x3F);
  }
  if (c < kSmallestOfLength[length] || c > 0x10FFFF) return std::nullopt;
  if (IsSurrogate(c) && surrogates == Surrogates::Refused) return std::nullopt;
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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  constexpr unsigned char kLeadMarks[] = {0, 0xC0, 0xE0, 0xF0};
  const int trail_count = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  out += static_cast<char>(kLeadMarks[trail_count] | c >> (6 * trail_count));
  for (int k = trail_count - 1; k >= 0; --k) out += static_cast<char>(0x80 | (c >> (6 * k) & 0x3F));
}

std::string Utf8OfUtf16(std::u16string_view units) {
  std::string name;
  name.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                      units[i + 1] <= 0xDFFF;
    if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    AppendUtf8(name, c);
  }
  return name;
}

std::u32string CharactersOfName(std::string_view name) {
  std::u32string characters;
  characters.reserve(name.size());
  for (std::size_t at = 0; at < name.size();) {
    const std::optional<char32_t> c = DecodeUtf8Character(name, at, Surrogates::Kept);
    if (!c) ++at;
    characters += c.value_or(U'\xFFFD');
  }
  return characters;
}

std::u16string Utf16OfUtf8(std::string_view name) {
  std::u16string units;
  units.reserve(name.size());
  AppendUtf16OfUtf8(name, units);
  return units;
}

}  // namespace skimdex
