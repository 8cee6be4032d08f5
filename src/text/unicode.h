#pragma once

#include <optional>
#include <string>
#include <string_view>

// Unicode text taken into code page 932, for pages written in UTF-8.
namespace skimdex {

// The characters of `bytes` if they are well-formed UTF-8: no overlong forms, no surrogates, nothing
// above U+10FFFF, no character cut short.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes);

// The code page 932 bytes that convert back to exactly `c`, or empty when it has none: best-fit
// substitutes such as 0x5C for U+00A5 are refused. From the system on Windows, else from iconv.
std::string Cp932FormOf(char32_t c);

// Each character in its code page 932 form, or as a decimal character reference ("&#128512;") when
// it has none.
std::string Cp932WithReferences(std::u32string_view text);

}  // namespace skimdex
