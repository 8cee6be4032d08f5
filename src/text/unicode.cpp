#include "text/unicode.h"

namespace skimdex {

std::string CharacterReference(char32_t c) {
  return "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
}

std::string Cp932WithReferences(std::u32string_view text) {
  std::string result;
  for (const char32_t c : text) {
    // Code page 932 keeps ASCII as it is; that spares a lookup per letter.
    const std::string form = c < 0x80 ? std::string(1, static_cast<char>(c)) : Cp932FormOf(c);
    result += form.empty() ? CharacterReference(c) : form;
  }
  return result;
}

}  // namespace skimdex
