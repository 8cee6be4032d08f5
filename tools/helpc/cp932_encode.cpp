#include "helpc/cp932_encode.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "helpc/cp932_table.h"

namespace skimdex::helpc {
namespace {

using Entry = std::pair<char32_t, std::uint16_t>;  // code point, code (one or two bytes)

std::vector<Entry> BuildReverseTable() {
  std::vector<Entry> table;
  for (int byte = 0; byte < 256; ++byte) {
    if (kCp932SingleByte[byte] != 0) table.emplace_back(kCp932SingleByte[byte], byte);
  }
  for (int row = 0; row < kCp932LeadCount; ++row) {
    const int lead = row < 31 ? 0x81 + row : 0xE0 + row - 31;
    for (int trail = 0; trail < kCp932TrailCount; ++trail) {
      const char32_t code_point = kCp932DoubleByte[row * kCp932TrailCount + trail];
      if (code_point != 0)
        table.emplace_back(code_point, static_cast<std::uint16_t>(lead << 8 | (0x40 + trail)));
    }
  }
  std::sort(table.begin(), table.end());
  return table;
}

// Decodes one UTF-8 sequence at `pos`, advancing it; 0xFFFD for a malformed or overlong sequence.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4) return 0xFFFD;
  char32_t code_point = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) return 0xFFFD;
    code_point = code_point << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code_point < kSmallest[length] || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return 0xFFFD;
  }
  return code_point;
}

}  // namespace

std::optional<std::string> EncodeCp932(char32_t code_point) {
  static const std::vector<Entry> table = BuildReverseTable();
  const auto found = std::lower_bound(table.begin(), table.end(), Entry{code_point, 0});
  if (found == table.end() || found->first != code_point) return std::nullopt;
  if (found->second < 0x100) return std::string(1, static_cast<char>(found->second));
  return std::string{static_cast<char>(found->second >> 8), static_cast<char>(found->second & 0xFF)};
}

Cp932Result Utf8ToCp932(std::string_view utf8) {
  Cp932Result result;
  std::size_t pos = 0;
  for (std::size_t column = 1; pos < utf8.size(); ++column) {
    const char32_t code_point = NextCodePoint(utf8, pos);
    const auto bytes = code_point == 0xFFFD ? std::nullopt : EncodeCp932(code_point);
    if (!bytes) return {std::string(), false, column, code_point};
    result.bytes += *bytes;
  }
  return result;
}

}  // namespace skimdex::helpc
