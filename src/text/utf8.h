#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8, standard C++ only: the program reads pages with it and keeps its names in it, and the help
// compiler (tools/helpc) reads its source.
namespace skimdex {

// Whether a surrogate code point counts as a character. A page's text refuses it; the program's own
// names keep it, since a Windows name may hold a surrogate that has no partner and must survive.
enum class Surrogates { Refused, Kept };

// The character that starts at `at` in `bytes`, moving `at` past it; nothing, with `at` unchanged,
// when no well-formed character starts there: an overlong form, a surrogate (unless kept), a value
// above U+10FFFF or a character cut short.
std::optional<char32_t> DecodeUtf8Character(std::string_view bytes, std::size_t& at,
                                            Surrogates surrogates = Surrogates::Refused);

void AppendUtf8(std::string& out, char32_t c);

// A name as the system gives it, in UTF-16, and as the program keeps it: in UTF-8, a surrogate
// without its partner as its own three bytes, so that every name converts back unchanged.
std::string Utf8OfUtf16(std::u16string_view units);
// The characters of a name kept in UTF-8, surrogates without a partner included; a byte that starts
// no character becomes U+FFFD.
std::u32string CharactersOfName(std::string_view name);
// Back to UTF-16, as CharactersOfName reads it.
std::u16string Utf16OfUtf8(std::string_view name);
// The same units appended to any string of 16-bit units (the system's wide strings too), without a
// string of characters between: asked for every path a system call takes.
template <typename Units>
void AppendUtf16OfUtf8(std::string_view name, Units& units);

// The characters of `bytes` if they are all well-formed UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);

template <typename Units>
void AppendUtf16OfUtf8(std::string_view name, Units& units) {
  using Unit = typename Units::value_type;
  for (std::size_t at = 0; at < name.size();) {
    if (static_cast<unsigned char>(name[at]) < 0x80) {
      units.push_back(static_cast<Unit>(name[at++]));
      continue;
    }
    const std::optional<char32_t> decoded = DecodeUtf8Character(name, at, Surrogates::Kept);
    if (!decoded) ++at;
    const char32_t c = decoded.value_or(U'\xFFFD');
    if (c < 0x10000) {
      units.push_back(static_cast<Unit>(c));
    } else {
      units.push_back(static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10)));
      units.push_back(static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
}

}  // namespace skimdex
