#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>

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

std::string SystemCp932FormOf(char32_t c) {
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

// Each character of the Basic Multilingual Plane as asked before: 0 when not yet asked, else kKnown
// with the form's length in bits 16 and 17 and its (at most two) bytes below, the first one higher.
constexpr std::uint32_t kKnown = 0x80000000;
std::array<std::atomic<std::uint32_t>, 0x10000> known_forms{};

std::uint32_t Known(const std::string& form) {
  std::uint32_t known = kKnown | static_cast<std::uint32_t>(form.size()) << 16;
  for (std::size_t i = 0; i < form.size(); ++i) {
    known |= static_cast<std::uint32_t>(static_cast<unsigned char>(form[i])) << (8 * (1 - i));
  }
  return known;
}

std::string FormOf(std::uint32_t known) {
  std::string form;
  for (std::size_t i = 0; i < ((known >> 16) & 0x3); ++i) form += static_cast<char>(known >> (8 * (1 - i)));
  return form;
}

}  // namespace

// Asked for every character of every link and caption: the system's answer for a character of the
// Basic Multilingual Plane is kept after the first time.
std::string Cp932FormOf(char32_t c) {
  if (c >= 0x10000) return SystemCp932FormOf(c);
  std::uint32_t known = known_forms[c].load(std::memory_order_relaxed);
  if (known == 0) {
    known = Known(SystemCp932FormOf(c));
    known_forms[c].store(known, std::memory_order_relaxed);
  }
  return FormOf(known);
}

std::string FromCp932(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(MultiByteToWideChar(kCodePage932, 0, text.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(kCodePage932, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Narrow(wide);
}

bool CanDecodeCodePage(unsigned code_page) { return IsValidCodePage(code_page); }

std::u32string DecodeCodePage(unsigned code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::u16string units(MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0), u'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(units.data()),
                      static_cast<int>(units.size()));
  return CharactersOfName(Utf8OfUtf16(units));
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
