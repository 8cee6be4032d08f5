#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skimdex::helpc {

// The code page 932 bytes of one code point, or nothing when the code point has no exact form (one
// that converts back to the same code point).
std::optional<std::string> EncodeCp932(char32_t code_point);

// Stands for a character that is not well-formed UTF-8.
inline constexpr char32_t kMalformed = 0xFFFD;

struct Cp932Result {
  std::string bytes;  // the whole text, when ok
  bool ok = true;
  std::size_t column = 0;  // 1-based column (in characters) of the first refused character
  char32_t refused = 0;    // that character, or kMalformed
};

// Converts one line of UTF-8 text; stops at the first malformed or unconvertible character.
Cp932Result Utf8ToCp932(std::string_view utf8);

}  // namespace skimdex::helpc
