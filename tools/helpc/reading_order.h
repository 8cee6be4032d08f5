#pragma once

#include <string>
#include <string_view>

// The order of a Japanese index, for the HTML manual's keyword page: keywords sort by their
// readings, Latin letters, digits and signs first, then kana in the order of the syllabary.
namespace skimdex::helpc {

// Whether `reading` can be sorted: printable ASCII, hiragana, katakana, "・" and "ー" only.
bool IsReading(std::u32string_view reading);

// Readings compared first with letter case, katakana against hiragana, small kana against large and
// voicing marks all passed over (and "ー" left out), then with each in turn taken into account.
bool ReadingLess(std::u32string_view a, std::u32string_view b);

// The UTF-8 heading of the section a reading is listed under: its kana row ("か行") or, for a
// reading that does not start with kana, "英数字・記号".
std::string ReadingSection(std::u32string_view reading);

}  // namespace skimdex::helpc
