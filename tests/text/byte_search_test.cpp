#include "text/byte_search.h"

#include <gtest/gtest.h>

#include <string>

namespace skimdex {
namespace {

// Every place of the byte in texts of every length around the sixteen-byte blocks, against a plain search.
TEST(FindByte, AgreesWithAPlainSearchAtEveryPlace) {
  for (std::size_t size = 0; size <= 40; ++size) {
    for (std::size_t place = 0; place <= size; ++place) {
      std::string text(size, '\x80');
      if (place < size) text[place] = '\r';
      for (std::size_t from = 0; from <= size + 1; ++from) {
        const std::size_t expected = std::string_view(text).find('\r', from);
        EXPECT_EQ(FindByte(text, '\r', from), expected) << size << " " << place << " " << from;
      }
    }
  }
  EXPECT_EQ(FindByte(std::string("\x01\x00\x7F\x00", 4), '\0', 2), 3u);
}

// Among partial matches that share the first two bytes, the whole pattern at every place, against a
// plain search.
TEST(FindText, AgreesWithAPlainSearchAtEveryPlace) {
  for (std::size_t size = 0; size <= 40; ++size) {
    for (std::size_t place = 0; place <= size; ++place) {
      std::string text;
      while (text.size() < size) text += "CHARSE";
      text.resize(size);
      text.replace(place, 7, "CHARSET").resize(size);
      for (std::size_t from = 0; from <= size + 1; ++from) {
        EXPECT_EQ(FindText(text, "CHARSET", from), std::string_view(text).find("CHARSET", from))
            << size << " " << place << " " << from;
      }
    }
  }
}

TEST(FindText, FindsThePatternOnlyWhole) {
  EXPECT_EQ(FindText("<TITLE <TITLE>x", "<TITLE>"), 7u);
  EXPECT_EQ(FindText("<TITL", "<TITLE>"), std::string_view::npos);
  EXPECT_EQ(FindText("aaa<TITLE>", "<TITLE>", 4), std::string_view::npos);
  EXPECT_EQ(FindText("abc", "", 1), 1u);
}

}  // namespace
}  // namespace skimdex
