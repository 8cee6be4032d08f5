#pragma once

#include <string>
#include <string_view>

#include "text/utf8.h"

// Unicode text taken into code page 932, for pages written in UTF-8.
namespace skimdex {

// The code page 932 bytes that convert back to exactly `c`, or empty when it has none: best-fit
// substitutes such as 0x5C for U+00A5 are refused. From the system on Windows, else from iconv.
std::string Cp932FormOf(char32_t c);

// "&#128512;": the decimal character reference of `c`, which browsers show as the character.
std::string CharacterReference(char32_t c);

// Each character in its code page 932 form, or as a decimal character reference ("&#128512;") when
// it has none.
std::string Cp932WithReferences(std::u32string_view text);

// Code page 932 text in UTF-8, each byte or pair as the system reads it.
std::string FromCp932(std::string_view text);
// Whether the system converts text of Windows code page `code_page`; under iconv, whether iconv
// knows that code page's twin.
bool CanDecodeCodePage(unsigned code_page);
// Text in `code_page` as the system reads it (a byte it cannot map as U+FFFD or the code page's own
// substitute): MultiByteToWideChar on Windows, iconv elsewhere.
std::u32string DecodeCodePage(unsigned code_page, std::string_view bytes);

// UTF-8 text in code page 932 where a character has its exact form there, else "?" (never a best-fit
// look-alike): what a console program writes into a file or a pipe.
std::string ToCp932(std::string_view text);

}  // namespace skimdex
