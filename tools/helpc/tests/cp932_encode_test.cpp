#include "helpc/cp932_encode.h"

#include <gtest/gtest.h>

namespace skimdex::helpc {
namespace {

// Code points and their bytes (nullptr: refused). Round trips only: glibc's one-way mappings
// (U+00A5, U+301C, U+00AC) must be refused.
constexpr std::pair<char32_t, const char*> kEncodeCases[] = {
    {U'A', "A"},          {U'\\', "\\"},        {U'~', "~"},          {0x00A5, nullptr},
    {0x203E, nullptr},    {0x301C, nullptr},    {0x00AC, nullptr},    {0xFF5E, "\x81\x60"},
    {0xFFE2, "\x81\xCA"}, {0x8868, "\x95\x5C"}, {0x30BD, "\x83\x5C"}, {0x80FD, "\x94\x5C"},  // 表 ソ 能
    {0x30DC, "\x83\x7B"}, {0x30DD, "\x83\x7C"}, {0x30DE, "\x83\x7D"},                        // ボ ポ マ
    {0x2015, "\x81\x5C"}, {0xFF3C, "\x81\x5F"}, {0xFF71, "\xB1"},     {0x3000, "\x81\x40"},
    {0x7E8A, "\xFA\x5C"}, {0x0080, nullptr},    {0x1F600, nullptr},   {0x0009, nullptr},
    {0xFFFD, nullptr},
};

TEST(Cp932EncodeTest, EncodesExactlyTheRoundTrips) {
  for (const auto& [code_point, bytes] : kEncodeCases) {
    const auto expected = bytes ? std::optional<std::string>(bytes) : std::nullopt;
    EXPECT_EQ(EncodeCp932(code_point), expected) << std::hex << static_cast<unsigned>(code_point);
  }
}

// UTF-8 lines and the column of their first refused character (0: converts): 表示 OK, ab¥, 〜, an
// overlong "/", a lone continuation byte, a surrogate, a truncated sequence, beyond U+10FFFF.
constexpr std::pair<const char*, std::size_t> kLineCases[] = {
    {"", 0},
    {"\xE8\xA1\xA8\xE7\xA4\xBA OK", 0},
    {"ab\xC2\xA5", 3},
    {"\xE3\x80\x9C", 1},
    {"a\xC0\xAF", 2},
    {"a\x80", 2},
    {"\xED\xA0\x80", 1},
    {"x\xE3\x81", 2},
    {"\xF4\x90\x80\x80", 1},
};

TEST(Cp932EncodeTest, LineStopsAtTheFirstRefusedCharacter) {
  for (const auto& [utf8, refused_column] : kLineCases) {
    const Cp932Result result = Utf8ToCp932(utf8);
    EXPECT_EQ(result.ok, refused_column == 0) << utf8;
    EXPECT_EQ(result.column, refused_column) << utf8;
  }
  EXPECT_EQ(Utf8ToCp932("\xE8\xA1\xA8\xEF\xBD\x9E").bytes, "\x95\x5C\x81\x60");  // 表～
}

}  // namespace
}  // namespace skimdex::helpc
