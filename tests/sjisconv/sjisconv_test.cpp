#include "sjisconv/sjisconv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace skimdex {
namespace {

using namespace std::string_literals;

struct ConversionCase {
  const char* name;
  std::string source;
  std::string expected;
};

std::string Convert(const std::string& source) { return TAutoSjisConv().ConvertToSjis(source); }

void ExpectConversions(const std::vector<ConversionCase>& cases) {
  for (const ConversionCase& c : cases) {
    EXPECT_EQ(Convert(c.source), c.expected) << c.name;
  }
}

TEST(ConvertToSjisTest, EachEncoding) {
  ExpectConversions({
      {"ascii", "abc", "abc"},
      {"empty", "", ""},
      {"sjis kanji", "\x88\x9F", "\x88\x9F"},
      {"sjis katakana word", "\x83\x65\x83\x58\x83\x67", "\x83\x65\x83\x58\x83\x67"},
      {"sjis lone half-width kana", "\xB1", "\xB1"},
      {"two half-width kana read as euc", "\xB1\xB2", "\x89\x51"},
      {"euc kanji", "\xB0\xA1", "\x88\x9F"},                                                     // 亜
      {"euc sentence", "\xB4\xC1\xBB\xFA\xA4\xAB\xA4\xCA", "\x8A\xBF\x8E\x9A\x82\xA9\x82\xC8"},  // 漢字かな
      {"euc half-width kana", "\x8E\xB1", "\xB1"},
      {"jis kanji", "\x1B$BF|K\\8l\x1B(B", "\x93\xFA\x96\x7B\x8C\xEA"},  // 日本語
      {"jis kana", "\x1B(I123\x1B(B", "\xB1\xB2\xB3"},
      {"jis other shifts", "\x1B$@F|\x1B(J1\x1B$BF|\x1B(H2", "\x93\xFA\x31\x93\xFA\x32"},
      {"nul ends the text", "A\0B"s, "A"},
      {"nul after euc", "\xB0\xA1\x00\xB0\xA1"s, "\x88\x9F"},
  });
}

TEST(ConvertToSjisTest, JisShifts) {
  ExpectConversions({
      {"no return to ascii pairs the letters", "\x1B$BF|ab", "\x93\xFA\xE1\x82"},
      {"lower case stays in kana mode", "\x1B(I1a", "\xB1\x61"},
      {"so without si makes capitals kana", "\x0E\x31\x32\x41\x42\x43", "\xB1\xB2\xC1\xC2\xC3"},
      {"so cuts at the lf",
       "\x0E\x31\n"
       "2",
       "\xB1"},
      {"si cuts at the lf",
       "\x0F\x61\n"
       "b",
       "a"},
      {"so ends kanji mode", "\x1B$BF|\x0E\x31", "\x93\xFA\xB1"},
      {"escape removal keeps the lf",
       "\x1B$BF|\n"
       "\x1B$BK\\\x1B(B",
       "\x93\xFA\n"
       "\x96\x7B"},
      {"control byte between pairs", "\x1B$BF| F|", "\x93\xFA \x93\xFA"},
      {"second byte below 0x21 truncates", "\x1B$B!\r", "\x81\x2C"},
      {"last byte of a pair kept", "\x1B$BF|F", "\x93\xFA\x46"},
      {"esc at the end", "ab\x1B", "ab\x1B"},
      {"esc with one byte", "\x1B$", "\x1B$"},
      {"unknown escape kept", "\x1B(A", "\x1B(A"},
      // Past a CR the text may hold high bytes although it was judged 7-bit.
      {"bit 7 cleared after lf",
       "\n"
       "\x93\xFA\x96\x7B",
       "\n"
       "\x13z\x16{"},
      {"escape bytes lose bit 7", "\r\x1B\xA4\xC2", "\r"},
      {"unknown escape keeps bytes without bit 7", "\r\x1B\xA8\xC1", "\r\x1B(A"},
      {"second byte taken as it is", "\r\x1B$B\xC6\xFC", "\r\x94\xBE"},
      {"0x80 becomes nul and ends the text", "\ra\x80\x62", "\ra"},
      {"so made from 0x8E still cuts",
       "\r\x8E\x31\n"
       "2",
       "\r\xB1"},
  });
}

TEST(ConvertToSjisTest, EucShifts) {
  ExpectConversions({
      {"so leaves pairs unconverted", "\x0E\xB0\xA1", "\xB0\xA1"},
      {"kana escape", "\xB0\xA1\x1B(I12\x1B(J\xB0\xA1", "\x88\x9F\xB1\xB2\x88\x9F"},
      {"kana escape cuts at the lf",
       "\xB0\xA1\x1B(I1\n"
       "2",
       "\x88\x9F\xB1"},
      {"ss2 removal cuts at the lf",
       "\x8E\xB1\n"
       "\x8E\xB2",
       "\xB1"},
      {"ss2 before a non-kana byte", "\x8E\x41\xB0\xA1", "\x0E\x41\x88\x9F"},
      {"0xFF loses bit 7", "\xFF\x41\xB0\xA1", "\x7F\x41\x88\x9F"},
      {"second byte below 0x21 truncates", "\xA1 ", "\x81\x3F"},
      {"low second byte", "\xB0\x41", "\x88\xBF"},
      // Conversion goes on past the LF that ended detection.
      {"last byte of a pair kept",
       "\xB0\xA1\n"
       "\xB0",
       "\x88\x9F\n"
       "\xB0"},
      {"ss2 at the end",
       "\xB0\xA1\n"
       "\x8E",
       "\x88\x9F\n"
       "\x0E"},
      {"other escapes pass", "\xB0\xA1\x1B$B", "\x88\x9F\x1B$B"},
  });
}

TEST(ConvertToSjisTest, EachCallStartsWithShiftsOff) {
  const struct {
    const char* name;
    std::string first;
    std::string second;
    std::string expected;
  } cases[] = {
      {"after unterminated kanji", "\x1B$BF|", "ab", "ab"},
      {"after so without si", "\x0E\x31", "12A", "12A"},
      {"after jis kana escape", "\x1B(I1", "12", "12"},
      {"after euc kana escape", "\xB0\xA1\x1B(I", "\xB0\xA1", "\x88\x9F"},
  };
  for (const auto& c : cases) {
    Convert(c.first);
    EXPECT_EQ(Convert(c.second), c.expected) << c.name;
  }
}

TEST(ConvertToSjisTest, EmptySourceKeepsShifts) {
  Convert("\x1B$BF|");
  EXPECT_TRUE(converter_state.kanji_mode);
  EXPECT_EQ(Convert(""), "");
  EXPECT_TRUE(converter_state.kanji_mode);
  Convert("\x1B$BF|\x1B(B");
  EXPECT_FALSE(converter_state.kanji_mode);
}

TEST(DetectCodeTest, Rules) {
  const struct {
    const char* name;
    std::string text;
    DetectedCode expected;
  } cases[] = {
      {"ascii", "abc", DetectedCode::Jis},
      {"jis escapes", "\x1B$BF|\x1B(B", DetectedCode::Jis},
      {"euc pair", "\xB0\xA1", DetectedCode::Euc},
      {"sjis lead", "\x88\x9F", DetectedCode::Sjis},
      {"0x80..0x9F anywhere", "\xB0\xA1\xB0\x9F", DetectedCode::Sjis},
      {"0x8F is not ss2", "\x8F\xB0\xA1\xB0", DetectedCode::Sjis},
      {"high byte pairs with ascii", "\xB0\x41", DetectedCode::Euc},
      {"unpaired last high byte", "a\xB0\xA1\xB0", DetectedCode::Sjis},
      {"lone half-width kana", "\xB1", DetectedCode::Sjis},
      {"ss2 kana", "\x8E\xB1", DetectedCode::Euc},
      {"last ss2 before 0xFF", "\x8E\xB1\x41\x8E\xFF", DetectedCode::Sjis},
      {"earlier ss2 not judged", "\x8E\xFF\x8E\xB1", DetectedCode::Euc},
      {"trailing ss2 unpaired", "\xB0\xA1\x8E", DetectedCode::Sjis},
      {"ss2 then only ascii", "\xB0\xA1\x8E\x41", DetectedCode::Euc},
      {"ss2 as a partner still counts", "\xB0\x8E\xFF\x41", DetectedCode::Sjis},
      {"leading lf",
       "\n"
       "\x88\x9F",
       DetectedCode::Jis},
      {"stops at lf",
       "\xB0\xA1\n"
       "\x88",
       DetectedCode::Euc},
      {"stops at cr", "\xB0\xA1\r\x88", DetectedCode::Euc},
      {"stops at ctrl-z", "\xB0\xA1\x1A\x88", DetectedCode::Euc},
      {"stops at nul", "\xB0\xA1\x00\x88"s, DetectedCode::Euc},
      {"pair split by cr", "\xB0\r\xA1", DetectedCode::Sjis},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectCode(c.text), c.expected) << c.name;
  }
}

TEST(JisPairToSjisTest, Arithmetic) {
  const struct {
    unsigned char c1, c2, lead, trail;
  } cases[] = {
      {0x21, 0x21, 0x81, 0x40},  // first cell
      {0x30, 0x21, 0x88, 0x9F},  // 亜
      {0x7E, 0x7E, 0xEF, 0xFC},  // last cell
      {0x21, 0x5F, 0x81, 0x7E},  // trail just below 0x7F
      {0x21, 0x60, 0x81, 0x80},  // trail skips 0x7F
      {0x21, 0x7E, 0x81, 0x9E},  // odd row ends
      {0x22, 0x21, 0x81, 0x9F},  // even row starts
      {0x5E, 0x7E, 0x9F, 0xFC},  // lead just below the gap
      {0x5F, 0x21, 0xE0, 0x40},  // lead skips 0xA0..0xDF
      {0x21, 0x20, 0x81, 0x3F},  // k = -1: truncating division, not flooring
      {0x21, 0x00, 0x81, 0x1F},  // k = -33, the lowest a step can make
      {0x46, 0xFC, 0x94, 0xBE},  // second byte above 0x7E
  };
  for (const auto& c : cases) {
    const SjisPair sjis = JisPairToSjis(c.c1, c.c2);
    EXPECT_EQ(sjis.lead, c.lead) << std::hex << int{c.c1} << ' ' << int{c.c2};
    EXPECT_EQ(sjis.trail, c.trail) << std::hex << int{c.c1} << ' ' << int{c.c2};
  }
}

struct Chunk {
  std::string source;
  std::string converted;
};

// Every prefix of a text built from chunks. A prefix ending between chunks converts to exactly the
// chunks before it. One ending inside a chunk must stay in bounds: in 7-bit JIS it still begins with
// the finished chunks; in EUC-JP and Shift_JIS the split character makes it Shift_JIS, left unchanged.
TEST(ConvertToSjisTest, EveryTruncatedPrefix) {
  const struct {
    const char* name;
    std::vector<Chunk> chunks;
    bool split_is_unchanged;
  } cases[] = {
      {"jis",
       {{"\x1B$B", ""},
        {"F|", "\x93\xFA"},
        {"K\\", "\x96\x7B"},
        {"\x1B(I", ""},
        {"1", "\xB1"},
        {"\x1B(B", ""},
        {"a", "a"}},
       false},
      {"euc", {{"\xB4\xC1", "\x8A\xBF"}, {"a", "a"}, {"\x8E\xB1", "\xB1"}, {"\xB0\xA1", "\x88\x9F"}}, true},
      {"sjis", {{"\x93\xFA", "\x93\xFA"}, {"\xB1", "\xB1"}, {"\x96\x7B", "\x96\x7B"}}, true},
  };
  for (const auto& c : cases) {
    std::string source;
    std::string done;
    for (const Chunk& chunk : c.chunks) {
      for (std::size_t cut = 1; cut < chunk.source.size(); ++cut) {
        const std::string prefix = source + chunk.source.substr(0, cut);
        const std::string result = Convert(prefix);
        EXPECT_LE(result.size(), prefix.size()) << c.name << " cut at " << prefix.size();
        if (c.split_is_unchanged) {
          EXPECT_EQ(result, prefix) << c.name;
        } else {
          EXPECT_EQ(result.substr(0, done.size()), done) << c.name << " cut at " << prefix.size();
        }
      }
      source += chunk.source;
      done += chunk.converted;
      EXPECT_EQ(Convert(source), done) << c.name << " cut at " << source.size();
    }
  }
}

std::string Repeated(const std::string& before, const std::string& unit, std::size_t times,
                     const std::string& after) {
  std::string text = before;
  for (std::size_t i = 0; i < times; ++i) text += unit;
  return text + after;
}

// Removals and cuts must not move or rescan the rest of the text each time: quadratic work here takes
// minutes, linear work well under a second.
TEST(ConvertToSjisTest, LongRunsOfRemovalsStayFast) {
  constexpr std::size_t kTimes = 1 << 19;
  const struct {
    const char* name;
    std::string source;
    std::size_t result_size;
  } cases[] = {
      {"so bytes", Repeated("", "\x0E", kTimes, "1"), 1},
      {"kanji escapes", Repeated("", "\x1B$B", kTimes, "F|"), 2},
      {"euc kana", Repeated("", "\x8E\xB1", kTimes, ""), kTimes},
      {"euc kana escapes", Repeated("\xB0\xA1", "\x1B(I", kTimes, ""), 2},
      {"lf made from 0x8A between cuts", Repeated("\r", "\x8A\x0E", kTimes, ""), kTimes + 1},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Convert(c.source).size(), c.result_size) << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.name;
  }
}

}  // namespace
}  // namespace skimdex
