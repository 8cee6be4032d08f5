#include "text/cp932.h"

#include <gtest/gtest.h>

#include "text/exception.h"

namespace skimdex {
namespace {

// 表 = 95 5C and ソ = 83 5C: their second byte is "\".
constexpr char kHyo[] = "\x95\x5C";
constexpr char kSo[] = "\x83\x5C";

TEST(CharKindAt, CountsLeadBytesBackwards) {
  struct Case {
    std::string text;
    std::size_t i;
    CharKind kind;
  } cases[] = {
      {"", 1, CharKind::Single},
      {"a", 1, CharKind::Single},
      {kHyo, 1, CharKind::Lead},
      {kHyo, 2, CharKind::Trail},
      {std::string("\x81\x81\x81", 3), 3, CharKind::Lead},  // after two whole characters' worth of leads
      {std::string("\x81\x81\x81", 3), 2, CharKind::Trail},
      {"\x81\x3C", 2, CharKind::Trail},  // malformed text: an ASCII byte after a lead is a trail
      {std::string("\x81\x00\x81", 3), 2, CharKind::Single},  // NUL is always single
      {std::string("\x81\x00\x81", 3), 3, CharKind::Lead},
      {"a\x95\x5C\x95", 4, CharKind::Lead},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharKindAt(c.text, c.i), c.kind) << ::testing::PrintToString(c.text) << " at " << c.i;
  }
}

const std::string hyo = kHyo, so = kSo;

TEST(LastSeparatorIndex, PassesOverTrailBytesUnlessSingleByteSystem) {
  const std::string path = "C:\\Web\\" + so;
  EXPECT_EQ(LastSeparatorIndex("\\", "C:\\Web\\" + hyo), 7u);
  EXPECT_EQ(LastSeparatorIndex("\\", path), 7u);
  const LeadByteSet none{};
  EXPECT_EQ(LastSeparatorIndex("\\", path, none), 9u);
  EXPECT_EQ(LastSeparatorIndex("\\", std::string("a\\\0", 3)), 2u);
  EXPECT_EQ(LastSeparatorIndex("\\", ""), 0u);
}

TEST(AsciiCase, FoldsOnlyAsciiLettersBytewise) {
  EXPECT_EQ(AsciiUpper("abcXYZ{}`@"), "ABCXYZ{}`@");
  EXPECT_EQ(AsciiUpper("\x82\x81"), "\x82\x81");  // full-width a stays
  EXPECT_EQ(AsciiUpper("\x83\x63"), "\x83\x43");  // the trail byte of tsu is folded too
  EXPECT_EQ(AsciiUpper(std::string("a\0b", 3)), std::string("A\0B", 3));

  struct Case {
    std::string a, b;
    int result;
  } cases[] = {
      {".HTML", ".html", 0}, {".htm", ".html", -1},     {"a", "B", -1},           {"B", "a", 1}, {"", "", 0},
      {"", "x", -1},         {"\xFF", "a", 0xFF - 'A'}, {"a\xFF", "A\x01", 0xFE},
  };
  for (const Case& c : cases) EXPECT_EQ(AsciiCompareNoCase(c.a, c.b), c.result) << c.a << " / " << c.b;
}

TEST(Find, ByteSearchAndCharacterStartSearchDiffer) {
  struct Case {
    std::string pattern, text;
    std::size_t bytes, at_char_start;
  } cases[] = {
      {"\\", kHyo, 2, 0},
      {"\\", std::string(kHyo) + "\\", 2, 3},
      {"b", "abcb", 2, 2},
      {"", "abc", 0, 0},
      {"abc", "", 0, 0},
      {"abcd", "abc", 0, 0},
      {"c", std::string("ab\0c", 4), 4, 0},  // nothing after a NUL for the character search
      {std::string("\0", 1), std::string("a\0", 2), 2, 0},
      {"<TITLE>", "\x81\x3CTITLE><TITLE>", 2, 9},
      {"@", "\x81\x81\x81\x40", 4, 0},
      {"@", "\x81\x81@", 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindBytes(c.pattern, c.text), c.bytes) << ::testing::PrintToString(c.text);
    EXPECT_EQ(FindAtCharStart(c.pattern, c.text), c.at_char_start) << ::testing::PrintToString(c.text);
  }
}

TEST(ReplaceAllNoCase, ReplacesEveryOccurrenceLeftToRight) {
  struct Case {
    std::string text, pattern, replacement, result;
  } cases[] = {
      {"abAB", "ab", "ab-ab", "ab-abab-ab"},
      {"no match", "xyz", "!", "no match"},
      {"", "ab", "x", ""},
      {"text", "", "x", "text"},
      {"aaa", "aa", "b", "ba"},
      {"SRC=\"SKIMDEX.HTML\" x=\"skimdex.html\"", "=\"skimdex.html", "=\"file:///C:\\a.html",
       "SRC=\"file:///C:\\a.html\" x=\"file:///C:\\a.html\""},
      {"\x81\x3D\"x=\"x", "=\"x", "#", "\x81\x3D\"x#"},  // an occurrence on a trail byte is not one
      {std::string("ab\0ab", 5), "ab", "X", std::string("X\0ab", 4)},
      {"ab", "ab", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceAllNoCase(c.text, c.pattern, c.replacement), c.result)
        << ::testing::PrintToString(c.text);
  }
}

TEST(SubBytesAndRemoveBytes, ClipToTheText) {
  struct Case {
    std::string text;
    long long start, count;
    std::string sub, removed;
  } cases[] = {
      {"abc", 0, 2, "ab", "abc"}, {"abc", 2, 100, "bc", "a"}, {"abc", 1, 0, "", "abc"},
      {"abc", 4, 1, "", "abc"},   {"abc", 2, -1, "", "abc"},  {"", 1, 1, "", ""},
      {"abc", -5, 1, "a", "abc"}, {"abc", 3, 1, "c", "ab"},   {"abc", 1, 9223372036854775807LL, "abc", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SubBytes(c.text, c.start, c.count), c.sub) << c.text << " " << c.start << " " << c.count;
    EXPECT_EQ(RemoveBytes(c.text, c.start, c.count), c.removed) << c.text << " " << c.start << " " << c.count;
  }
}

TEST(Integers, DecimalTextAndParseAgree) {
  for (const std::int32_t n : {0, 7, -1, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(ParseInteger(DecimalText(n)), n);
  }
  EXPECT_EQ(DecimalText(-42), "-42");
}

TEST(Integers, ParseAcceptsItsGrammarOnly) {
  struct Case {
    std::string text;
    bool valid;
    std::int32_t value;
  } cases[] = {
      {"7", true, 7},
      {" 12", true, 12},
      {"   -3", true, -3},
      {"+5", true, 5},
      {"007", true, 7},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483647", true, 2147483647},
      {"$FFFFFFFF", true, -1},
      {"$7fffffff", true, 2147483647},
      {"x1A", true, 26},
      {"X1a", true, 26},
      {"0x10", true, 16},
      {"0X00000000000010", true, 16},
      {"0", true, 0},
      {"12 ", false, 0},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"- 1", false, 0},
      {"-$1", false, 0},
      {"+0x1", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"1e3", false, 0},
      {"\t1", false, 0},
      {"99999999999999999999", false, 0},
      {"abc", false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseIntegerOr(c.text, -99), c.valid ? c.value : -99) << '"' << c.text << '"';
    if (c.valid) {
      EXPECT_EQ(ParseInteger(c.text), c.value);
    } else {
      EXPECT_THROW(ParseInteger(c.text), EConvertError) << '"' << c.text << '"';
    }
  }
}

TEST(Integers, ErrorMessageQuotesTheWholeInput) {
  // "'%s' は整数ではありません"
  const std::string tail =
      " \x82\xCD\x90\xAE\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
  for (const std::string text : {"", "12 ", "abc"}) {
    try {
      ParseInteger(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "'" + tail);
    }
  }
}

}  // namespace
}  // namespace skimdex
