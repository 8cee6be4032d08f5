#include "index/title_scan.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "sjisconv/sjisconv.h"
#include "text/cp932.h"

namespace skimdex {
namespace {

using namespace std::string_literals;

constexpr char kName[] = "page.html";

ScannedTitle ScanTitle(std::string_view page, std::size_t chunk = SIZE_MAX) {
  MemoryByteSource source(page, chunk);
  TextReader reader(source);
  return ScanPageTitle(reader, kName);
}
std::string Scan(std::string_view page, std::size_t chunk = SIZE_MAX) { return ScanTitle(page, chunk).text; }

TEST(ScanPageTitle, TitleOrFileName) {
  const struct {
    std::string page, title;
  } cases[] = {
      {"<title>My Page</title>", "My Page"},
      {"<HTML><HEAD><TiTlE>Mixed</tItLe></HEAD>", "Mixed"},
      {"<title> My Page </title>", " My Page "},
      {"  \t<title>T</title>", "T"},
      {"<title lang=\"ja\">T</title>", kName},
      {"<title>Annual\r\nReport</title>", "AnnualReport"},
      {"<title>Annual\r\n  Report</title>", "AnnualReport"},  // the later line's leading blanks vanish
      {"<title>Annual\r\nskipped\r\nReport</title> more", "AnnualReport"},
      {"<title>\r\nMy Page\r\n</title>", kName},
      {"<title>ab</TI\r\nTLE></title>", "ab</TITLE>"},  // the two pieces join into a closing tag
      {"<title>Rest of line\r\nno closing tag", "Rest of line"},
      {"<title></title>", kName},
      {"<title>a<!-- note -->b</title>", kName},
      {"<title>A\r\n<!--x--></title>", kName},
      {"<title>a &amp; b</title>", "a &amp; b"},
      {"", kName},
      {" \r\n\t\r\n", kName},
      {"<html>\n<title>A\nB</title>\n</html>", "A\nB"},  // LF alone ends no line
      {"\x1A<title>T</title>", kName},
      {"a\0<title>T</title>"s, kName},  // the opening tag is searched only up to a NUL
      {"\0\0<title>T</title>"s, "T"},   // leading NULs are blanks
      {"<title>A\0B</title>"s, "A\0B"s},
      {"<title>T</title><title>U</title>", "T"},
      {"<head>\r\n<title>First</title>\r\n<title>Second</title>", "First"},
      {"<tit\r\nle>T</title>", kName},
      {"\x81\x3Ctitle>T</title>", kName},       // "<" as a trail byte starts no tag
      {"\x81\x40<title>T</title>", "T"},        // full-width space, then the tag
      {"<title>\x81\x3C/title>", "\x81"},       // the closing tag may start on a trail byte
      {"<title>\x83\x63</title>", "\x83\x63"},  // ツ keeps its bytes though its copy was upper-cased
  };
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{3}, SIZE_MAX}) {
      EXPECT_EQ(Scan(c.page, chunk), c.title) << ::testing::PrintToString(c.page);
    }
  }
}

// The tag after "\xE3\x81\x82" (あ) is found only when the page is read as UTF-8, byte by byte: 0x82 is a
// lead byte in code page 932.
TEST(ScanPageTitle, Utf8FromTheMarkOrADeclarationUpToTheTitlesLine) {
  const std::string tag_after_a = "\xE3\x81\x82\x3Ctitle>T</title>";
  for (const std::string before :
       {"<meta charset=\"utf-8\">\r\n", "<META CHARSET=UTF8>", "\xEF\xBB\xBF",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Utf-8\" />\r\n",
        "a charset=x-sjis Charset \t= \t\"utf-8\r\n"}) {
    EXPECT_EQ(Scan(before + tag_after_a), "T") << before;
  }
  EXPECT_EQ(Scan(tag_after_a + "<meta charset='utf-8'>"), "T");  // the line is checked before the search
  // Near misses; and the byte-wise search too ends at a NUL.
  for (const std::string& before :
       {"<p>\r\n"
        "\xEF\xBB\xBF"s,
        "charset=utf-8x\r\n"s, "charset=utf-16\r\n"s, "charset: utf-8\r\n"s, "charset=utf-8\0"s}) {
    EXPECT_EQ(Scan(before + tag_after_a), kName) << ::testing::PrintToString(before);
  }
  // Lines after the opening tag's line do not count.
  EXPECT_FALSE(ScanTitle("<title>\xE3\x81\x82\x3C/title>\r\n"
                         "<meta charset=utf-8>")
                   .utf8);
  EXPECT_FALSE(ScanTitle("<title>A\r\n"
                         "<meta charset=utf-8>\xE3\x81\x82\x3C/title>")
                   .utf8);
}

// The table runs on Windows and natively, so the system's code page 932 and glibc's iconv must agree.
TEST(PageCaption, Utf8InCodePage932WithReferences) {
  const struct {
    std::string title, caption;
  } cases[] = {
      {"\xE3\x81\x82\xE6\x97\xA5\xE6\x9C\xAC", "\x82\xA0\x93\xFA\x96\x7B"},  // あ日本
      {"\xE8\xA1\xA8\xE3\x82\xBD", "\x95\x5C\x83\x5C"},                      // 表ソ, second bytes "\\"
      {"\xEF\xBD\xB1 A&amp;", "\xB1 A&amp;"},                                // ｱ, and ASCII as it is
      {"\xEF\xBD\x9E\xE3\x80\x9C", "\x81\x60&#12316;"},                      // ～ has a form, 〜 a best fit
      {"\xC2\xA5\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", "&#165;&#128512;&#1114111;"},  // ¥, emoji, the last
      // Either side of a best fit: ∥‖－− and ￢¬‾�
      {"\xE2\x88\xA5\xE2\x80\x96\xEF\xBC\x8D\xE2\x88\x92", "\x81\x61&#8214;\x81\x7C&#8722;"},
      {"\xEF\xBF\xA2\xC2\xAC\xE2\x80\xBE\xEF\xBF\xBD", "\x81\xCA&#172;&#8254;&#65533;"},
      // Characters with two forms, a user-defined one, lone bytes: ≒ⅰ纊, U+E000, U+0080, U+F8F0
      {"\xE2\x89\x92\xE2\x85\xB0\xE7\xBA\x8A\xEE\x80\x80\xC2\x80\xEF\xA3\xB0",
       "\x81\xE0\xFA\x40\xFA\x5C\xF0\x40\x80\xA0"},
  };
  for (const auto& c : cases) EXPECT_EQ(PageCaption({c.title, true}), c.caption) << c.title;
}

// 7-bit only (JIS), a NUL, Shift_JIS after all; overlong twice, a surrogate, past U+10FFFF, cut short.
TEST(PageCaption, OtherTitlesGoThroughTheConverter) {
  for (const std::string& title :
       {"\x1B$BF|K\\\x1B(B"s, "\xE3\x81\x82\x00"s, "\x93\xFA\x96\x7B"s, "\xC0\xAF"s, "\xE0\x80\xAF"s,
        "\xED\xA0\x80"s, "\xF4\x90\x80\x80"s, "\xE3\x81"s}) {
    EXPECT_EQ(PageCaption({title, true}), TAutoSjisConv().ConvertToSjis(title))
        << ::testing::PrintToString(title);
  }
  EXPECT_EQ(PageCaption({"\xE3\x81\x82", false}), TAutoSjisConv().ConvertToSjis("\xE3\x81\x82"));
}

// Lines from a list; running out of them fails like memory running out.
class ThrowingLines final : public LineSource {
 public:
  explicit ThrowingLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool AtEndSkippingBlanks() override {
    if (next_ == lines_.size()) throw std::bad_alloc();
    return false;
  }
  std::string_view ReadTextLine() override { return lines_[next_++]; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

TEST(ScanPageTitle, FailureKeepsTheTitleCollectedSoFar) {
  ThrowingLines cut_after_opening({"<p>", "<title>Annual"});
  EXPECT_EQ(ScanPageTitle(cut_after_opening, kName).text, "Annual");
  ThrowingLines cut_before_any({"<p>"});
  EXPECT_EQ(ScanPageTitle(cut_before_any, kName).text, kName);
}

// Every cut of a page yields a usable caption, the same in any read pieces, and the whole title once
// the cut lies after the closing tag.
TEST(ScanPageTitle, EveryTruncatedPrefix) {
  const std::string pages[] = {
      "<html>\r\n<head>\r\n  <TITLE>Annual\r\n report\r\nskip\r\nmore</Title>\r\n</head>\r\n",
      "<!DOCTYPE html>\n<title>Lf <!- only</title>\n",
      "\x83\x5C\x81\x40<title>\x93\xFA\x96\x7B\x81\x3C\x62></title>\x1A<title>x</title>",
      "<title>\x1B$BF|K\\\x1B(B</title>\r\n",
  };
  for (const std::string& page : pages) {
    const std::string whole = Scan(page);
    const std::size_t close = FindBytes("</TITLE>", AsciiUpper(page));
    for (std::size_t n = 0; n <= page.size(); ++n) {
      const std::string_view cut = std::string_view(page).substr(0, n);
      const std::string title = Scan(cut, 1);
      EXPECT_EQ(Scan(cut), title) << n;
      EXPECT_FALSE(title.empty()) << n;
      EXPECT_EQ(title.find('\r'), std::string::npos) << n;
      EXPECT_EQ(FindBytes("</TITLE>", AsciiUpper(title)), 0u) << n;
      EXPECT_EQ(FindBytes("<!-", title), 0u) << n;
      if (close != 0 && n >= close - 1 + 8) {
        EXPECT_EQ(title, whole) << n;
      }
    }
  }
}

}  // namespace
}  // namespace skimdex
