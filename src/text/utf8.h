#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 decoding, standard C++ only: the program reads pages with it and the help compiler
// (tools/helpc) its source.
namespace skimdex {

// The character that starts at `at` in `bytes`, moving `at` past it; nothing, with `at` unchanged,
// when no well-formed character starts there: an overlong form, a surrogate, a value above U+10FFFF
// or a character cut short.
std::optional<char32_t> DecodeUtf8Character(std::string_view bytes, std::size_t& at);

// The characters of `bytes` if they are all well-formed UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);

}  // namespace skimdex
