#pragma once

#include <string>
#include <string_view>

#include "text/utf8.h"

// Unicode text taken into code page 932, for pages written in UTF-8.
namespace skimdex {

// The code page 932 bytes that convert back to exactly `c`, or empty when it has none: best-fit
// substitutes such as 0x5C for U+00A5 are refused. From the system on Windows, else from iconv.
std::string Cp932FormOf(char32_t c);

// Each character in its code page 932 form, or as a decimal character reference ("&#128512;") when
// it has none.
std::string Cp932WithReferences(std::u32string_view text);

}  // namespace skimdex
