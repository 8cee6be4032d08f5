#include <windows.h>

#include <algorithm>

#include "text/unicode.h"
#include "text/wide.h"

namespace skimdex {
namespace {

constexpr UINT kCodePage932 = 932;

// `c` in UTF-16: one unit, or a surrogate pair above U+FFFF. Returns the number of units.
int ToUtf16(char32_t c, wchar_t (&units)[2]) {
  if (c < 0x10000) {
    units[0] = static_cast<wchar_t>(c);
    return 1;
  }
  units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
  units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  return 2;
}

}  // namespace

std::string Cp932FormOf(char32_t c) {
  wchar_t units[2];
  const int unit_count = ToUtf16(c, units);
  char bytes[8];
  BOOL used_default = FALSE;
  const int byte_count = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, units, unit_count, bytes,
                                             sizeof bytes, nullptr, &used_default);
  if (byte_count <= 0 || used_default) return {};
  // An exact form reads back as the same character, whatever the code page's tables count as best fit.
  wchar_t back[2];
  if (MultiByteToWideChar(kCodePage932, 0, bytes, byte_count, back, 2) != unit_count ||
      !std::equal(units, units + unit_count, back)) {
    return {};
  }
  return std::string(bytes, byte_count);
}

std::string FromCp932(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(kCodePage932, 0, text.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(kCodePage932, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Narrow(wide);
}

std::string ToCp932(std::string_view text) {
  const std::wstring wide = Wide(text);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string bytes(
      WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr),
      '\0');
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(),
                      static_cast<int>(bytes.size()), "?", nullptr);
  return bytes;
}

}  // namespace skimdex
