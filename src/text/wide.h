#pragma once

#include <string>
#include <string_view>

#include "text/utf8.h"

// The program's UTF-8 names at the Windows calls, whose wide characters are UTF-16 units.
namespace skimdex {

inline std::wstring Wide(std::string_view name) {
  std::wstring units;
  units.reserve(name.size());
  AppendUtf16OfUtf8(name, units);
  return units;
}

inline std::string Narrow(std::wstring_view units) {
  return Utf8OfUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(units.data()), units.size()));
}

}  // namespace skimdex
