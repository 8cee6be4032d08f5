#include "helpc/reading_order.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace skimdex::helpc {
namespace {

constexpr char32_t kFirstHiragana = 0x3041;  // ぁ
constexpr char32_t kLastHiragana = 0x3096;   // ゖ
constexpr char32_t kFirstKatakana = 0x30A1;  // ァ
constexpr char32_t kLastKatakana = 0x30F6;   // ヶ
constexpr char32_t kKatakanaOffset = kFirstKatakana - kFirstHiragana;
constexpr char32_t kMiddleDot = 0x30FB;      // ・
constexpr char32_t kLongVowelMark = 0x30FC;  // ー

bool IsHiragana(char32_t c) { return c >= kFirstHiragana && c <= kLastHiragana; }
bool IsKatakana(char32_t c) { return c >= kFirstKatakana && c <= kLastKatakana; }

// Katakana as hiragana, ASCII letters in upper case.
char32_t Folded(char32_t c) {
  if (IsKatakana(c)) return c - kKatakanaOffset;
  if (c >= U'a' && c <= U'z') return c - U'a' + U'A';
  return c;
}

// The plain form of a hiragana: small kana as large, voiced and semi-voiced as voiceless. The code
// points follow the syllabary, each plain kana followed by its variants or preceded by its small form.
char32_t PlainKana(char32_t c) {
  if (c <= 0x304A || (c >= 0x3083 && c <= 0x3088)) return (c & 1) ? c + 1 : c;  // ぁ-お, ゃ-よ: small first
  if (c <= 0x3062) return (c & 1) ? c : c - 1;                                  // か-ぢ: voiced after each
  if (c == 0x3063) return 0x3064;                                               // っ
  if (c <= 0x3069) return (c & 1) ? c - 1 : c;                                  // つ-ど
  if (c >= 0x306F && c <= 0x307D) return 0x306F + (c - 0x306F) / 3 * 3;  // は-ぽ: ば and ぱ after each
  if (c == 0x308E) return 0x308F;                                        // ゎ
  if (c == 0x3094) return 0x3046;                                        // ゔ
  if (c == 0x3095) return 0x304B;                                        // ゕ
  if (c == 0x3096) return 0x3051;                                        // ゖ
  return c;
}

std::u32string Primary(std::u32string_view reading) {
  std::u32string key;
  for (const char32_t c : reading) {
    const char32_t folded = Folded(c);
    if (c != kLongVowelMark) key += IsHiragana(folded) ? PlainKana(folded) : folded;
  }
  return key;
}

std::u32string Secondary(std::u32string_view reading) {
  std::u32string key;
  std::transform(reading.begin(), reading.end(), std::back_inserter(key), Folded);
  return key;
}

// The first kana of each row and the row's heading.
constexpr struct {
  char32_t first;
  const char* heading;
} kRows[] = {
    {0x3042, "\xE3\x81\x82\xE8\xA1\x8C"},  // あ行
    {0x304B, "\xE3\x81\x8B\xE8\xA1\x8C"},  // か行
    {0x3055, "\xE3\x81\x95\xE8\xA1\x8C"},  // さ行
    {0x305F, "\xE3\x81\x9F\xE8\xA1\x8C"},  // た行
    {0x306A, "\xE3\x81\xAA\xE8\xA1\x8C"},  // な行
    {0x306F, "\xE3\x81\xAF\xE8\xA1\x8C"},  // は行
    {0x307E, "\xE3\x81\xBE\xE8\xA1\x8C"},  // ま行
    {0x3084, "\xE3\x82\x84\xE8\xA1\x8C"},  // や行
    {0x3089, "\xE3\x82\x89\xE8\xA1\x8C"},  // ら行
    {0x308F, "\xE3\x82\x8F\xE8\xA1\x8C"},  // わ行
};
// 英数字・記号
constexpr char kLatinSection[] = "\xE8\x8B\xB1\xE6\x95\xB0\xE5\xAD\x97\xE3\x83\xBB\xE8\xA8\x98\xE5\x8F\xB7";

}  // namespace

bool IsReading(std::u32string_view reading) {
  return std::all_of(reading.begin(), reading.end(), [](char32_t c) {
    return (c >= 0x20 && c < 0x7F) || IsHiragana(c) || IsKatakana(c) || c == kMiddleDot ||
           c == kLongVowelMark;
  });
}

bool ReadingLess(std::u32string_view a, std::u32string_view b) {
  return std::tuple(Primary(a), Secondary(a), a) < std::tuple(Primary(b), Secondary(b), b);
}

std::string ReadingSection(std::u32string_view reading) {
  const std::u32string key = Primary(reading);
  if (key.empty() || !IsHiragana(key.front())) return kLatinSection;
  const char* heading = kRows[0].heading;
  for (const auto& row : kRows) {
    if (row.first <= key.front()) heading = row.heading;
  }
  return heading;
}

}  // namespace skimdex::helpc
