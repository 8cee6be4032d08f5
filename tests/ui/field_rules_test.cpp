#include "ui/field_rules.h"

#include <gtest/gtest.h>

namespace skimdex {
namespace {

// ソ and ぁ in UTF-8, as the fields' text is kept: code page 932 would take 0x81 for a lead byte and
// the "\\" after ぁ for its second byte.
const std::string kSo = "\xE3\x82\xBD", kSmallA = "\xE3\x81\x81";

TEST(FolderField, LosesExactlyOneWholeTrailingSeparator) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Web\\", "C:\\Web"},
      {"C:\\", "C:"},
      {"C:\\Web\\\\", "C:\\Web\\"},
      {"", ""},
      {"C:\\Web", "C:\\Web"},
      {"\\", ""},
      {"C:\\" + kSo, "C:\\" + kSo},
      {kSo, kSo},
      {"C:\\" + kSo + "\\", "C:\\" + kSo},
      {"C:\\" + kSmallA + "\\", "C:\\" + kSmallA},
  };
  for (const auto& [typed, stored] : cases) {
    EXPECT_EQ(WithoutTrailingSeparator(typed), stored) << ::testing::PrintToString(typed);
  }
}

TEST(SaveField, JoinsFolderAndNameWithOneSeparator) {
  EXPECT_EQ(JoinedSavePath("C:\\Out", "index.html"), "C:\\Out\\index.html");
  EXPECT_EQ(JoinedSavePath("D:\\", "index.html"), "D:\\index.html");
  EXPECT_EQ(JoinedSavePath("C:\\" + kSo, "a.html"), "C:\\" + kSo + "\\a.html");
}

TEST(DepthField, AcceptsSignsDigitsSeparatorAndControlKeysButEnter) {
  const struct {
    char key, separator;
    bool accepted;
  } cases[] = {
      {'+', '.', true},     {'-', '.', true},     {'0', '.', true},     {'9', '.', true},
      {'.', '.', true},     {',', ',', true},     {'.', ',', false},    {'\b', '.', true},
      {'\x16', '.', true},  // Ctrl+V
      {'\x18', '.', true},  {'\x1B', '.', true},  {'\r', '.', false},   {'\n', '.', true},
      {' ', '.', false},    {'a', '.', false},    {'/', '.', false},    {':', '.', false},
      {'\x7F', '.', false}, {'\x83', '.', false}, {'\xB1', '.', false},  // half-width katakana
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDepthKeyAccepted(c.key, c.separator), c.accepted)
        << "key " << int(static_cast<unsigned char>(c.key)) << " separator " << c.separator;
  }
}

TEST(DepthField, ValueStepAndExitClamp) {
  const struct {
    std::string text;
    std::int32_t value;
    std::string up, down, on_exit;
  } cases[] = {
      {"", 1, "2", "1", ""},       {"-", 1, "2", "1", "-"},      {"+", 1, "2", "1", "+"},
      {"1.5", 1, "2", "1", "1.5"}, {"25", 25, "10", "10", "10"}, {"10", 10, "10", "9", "10"},
      {"1", 1, "2", "1", "1"},     {"0", 0, "1", "1", "1"},      {"-7", -7, "1", "1", "1"},
      {"+5", 5, "6", "4", "+5"},   {" 3", 3, "4", "2", " 3"},    {"99", 99, "10", "10", "10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    EXPECT_EQ(DepthValue(c.text), c.value);
    EXPECT_EQ(SteppedDepthText(c.text, +1), c.up);
    EXPECT_EQ(SteppedDepthText(c.text, -1), c.down);
    EXPECT_EQ(DepthTextOnExit(c.text), c.on_exit);
  }
}

TEST(DepthField, SetValueClampsWholeRange) {
  EXPECT_EQ(DepthText(INT32_MIN), "1");
  EXPECT_EQ(DepthText(0), "1");
  EXPECT_EQ(DepthText(7), "7");
  EXPECT_EQ(DepthText(INT32_MAX), "10");
}

}  // namespace
}  // namespace skimdex
