#include "helpc/cp932_encode.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "helpc/cp932_table.h"
#include "text/utf8.h"

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
    const auto code_point = DecodeUtf8Character(utf8, pos);
    if (!code_point) return {std::string(), false, column, kMalformed};
    const auto bytes = EncodeCp932(*code_point);
    if (!bytes) return {std::string(), false, column, *code_point};
    result.bytes += *bytes;
  }
  return result;
}

}  // namespace skimdex::helpc
