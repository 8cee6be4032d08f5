#include "index/title_scan.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "sjisconv/sjisconv.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace skimdex {
namespace {

using namespace std::string_literals;

constexpr char kName[] = "page.html";

ScannedTitle ScanTitle(std::string_view page, std::size_t chunk = SIZE_MAX) {
  MemoryByteSource source(page, chunk);
  return ScanPage(source, kName);
}
std::string Scan(std::string_view page, std::size_t chunk = SIZE_MAX) { return ScanTitle(page, chunk).text; }
ScannedTitle ScanLines(std::string_view page) {
  MemoryByteSource source(page);
  TextReader reader(source);
  return ScanPageTitle(reader, kName);
}

// The caption of a page, the same in read pieces of one byte, three bytes and all at once.
std::string Caption(std::string_view page) {
  const std::string caption = PageCaption(ScanTitle(page));
  for (const std::size_t chunk : {1, 3}) EXPECT_EQ(PageCaption(ScanTitle(page, chunk)), caption) << chunk;
  return caption;
}

// UTF-8 text as a UTF-16 page with its byte order mark.
std::string Utf16Page(std::string_view text, bool big_endian) {
  std::string page = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : Utf16OfUtf8(text)) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    page += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return page;
}

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
        "a charset=x-sjis Charset \t= \t\"utf-8\r\n", "charset=utf-16\r\n"}) {
    EXPECT_EQ(Scan(before + tag_after_a), "T") << before;
  }
  EXPECT_EQ(Scan(tag_after_a + "<meta charset='utf-8'>"), "T");  // the line is checked before the search
  // Near misses; and the byte-wise search too ends at a NUL.
  for (const std::string& before : {"<p>\r\n"
                                    "\xEF\xBB\xBF"s,
                                    "charset=utf-8x\r\n"s, "charset: utf-8\r\n"s, "charset=utf-8\0"s}) {
    EXPECT_EQ(Scan(before + tag_after_a), kName) << ::testing::PrintToString(before);
  }
  // Lines after the opening tag's line do not count (the lines alone: these whole pages are UTF-8).
  EXPECT_FALSE(ScanLines("<title>\xE3\x81\x82\x3C/title>\r\n"
                         "<meta charset=utf-8>")
                   .utf8);
  EXPECT_FALSE(ScanLines("<title>A\r\n"
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

// 日本〜 in both byte orders, whatever the page declares; the lines, blanks, tags and comment test as
// on a byte page. The last page is cut in the middle of a surrogate pair.
TEST(ScanPage, Utf16PagesByTheirByteOrderMark) {
  const struct {
    std::string text, caption;
  } cases[] = {
      {"<title>\xE6\x97\xA5\xE6\x9C\xAC\xE3\x80\x9C</title>", "\x93\xFA\x96\x7B&#12316;"},
      {" \r\n<HTML><TITLE>My Page</TITLE>", "My Page"},
      {"<meta charset=\"shift_jis\">\r\n<title>\xE6\x97\xA5</title>", "\x93\xFA"},
      {"<title>Annual\r\nskipped\r\nReport</title>", "AnnualReport"},
      {"<title>a<!-- x -->b</title>", kName},
      {"<title></title>", kName},
      {"<title>\xF0\x9F\x98\x80</title>", "&#128512;"},
  };
  for (const bool big_endian : {false, true}) {
    for (const auto& c : cases) EXPECT_EQ(Caption(Utf16Page(c.text, big_endian)), c.caption) << c.text;
    const std::string cut = Utf16Page("<title>\xF0\x9F\x98\x80", big_endian);
    EXPECT_EQ(Caption(cut.substr(0, cut.size() - 2)), "&#65533;") << big_endian;
  }
}

// Without a mark or a declaration a title is UTF-8 only when the whole page is: a Shift_JIS or EUC-JP
// title that alone is well-formed UTF-8 (遏笥, 町村, 速達) stays Japanese through the page's kana, even
// far past the title, and so does a page with an ISO-2022-JP escape.
TEST(ScanPage, UndeclaredUtf8OnlyWhenTheWholePageIs) {
  const std::string far(100000, 'a');
  const struct {
    std::string page, caption;
  } cases[] = {
      {"<title>\xE3\x81\xB2\xE3\x82\x89\xE3\x81\x8C\xE3\x81\xAA\xE3\x81\xA8\xE6\xBC\xA2\xE5\xAD\x97</title>" +
           far,
       "\x82\xD0\x82\xE7\x82\xAA\x82\xC8\x82\xC6\x8A\xBF\x8E\x9A"},  // ひらがなと漢字
      {"<title>\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x80\x9C\xE5\xA4\xA7\xE9\x98\xAA\xF0\x9F\x98\x80</title>",
       "\x93\x8C\x8B\x9E&#12316;\x91\xE5\x8D\xE3&#128512;"},  // 東京〜大阪 and an emoji
      {"<title>\xE7\x9F\x90\x79</title><p>\x83\x79\x81\x5B\x83\x57", "\xE7\x9F\x90\x79"},
      {"<title>\xC4\xAE\xC2\xBC</title>\n<p>\xA5\xDA\xA1\xBC\xA5\xB8", "\x92\xAC\x91\xBA"},
      {"<title>\xC2\xAE\xC3\xA3</title>" + far + "\xA5\xDA", "\x91\xAC\x92\x42"},
      {"<title>\xE3\x81\x82</title>\x1B$B$\"\x1B(B", TAutoSjisConv().ConvertToSjis("\xE3\x81\x82")},
  };
  for (const auto& c : cases) EXPECT_EQ(Caption(c.page), c.caption) << c.page.substr(0, 40);
  // A title of hundreds of characters, read in pieces that split them.
  std::string long_title, long_caption;
  for (int i = 0; i < 300; ++i) long_title += "\xE6\xBC\xA2", long_caption += "\x8A\xBF";  // 漢
  EXPECT_EQ(Caption("<title>" + long_title + "</title>"), long_caption);
}

// A declared charset is decoded by the system and goes out as a UTF-8 title does; the Japanese labels
// keep the converter, and an unknown label counts as none.
TEST(ScanPage, DeclaredCharsets) {
  const struct {
    std::string label, title, caption;
  } cases[] = {
      {"windows-1252", "Caf\xE9 \x93quoted\x94", "Caf&#233; \x81\x67quoted\x81\x68"},
      {"iso-8859-1", "\x80 \xE0", "&#8364; &#224;"},  // windows-1252, as the standard reads it
      {"GBK", "\xD6\xD0\xCE\xC4", "\x92\x86\x95\xB6"},
      {"gb18030", "\xD6\xD0\xCE\xC4", "\x92\x86\x95\xB6"},
      {"big5", "\xA4\xA4\xA4\xE5", "\x92\x86\x95\xB6"},
      {"euc-kr", "\xC7\xD1\xB1\xB9\xBE\xEE", "&#54620;&#44397;&#50612;"},
      {"koi8-r", "\xED\xC9\xD2", "\x84\x4D\x84\x79\x84\x82"},
      {"iso-2022-kr", "\xED\xC9\xD2", kName},
      {"windows-31j", "\x87\x40\xFA\x5C", "\x87\x40\xFA\x5C"},  // ① and 纊: only code page 932 has them
      {"x-sjis", "\x87\x40\xFA\x5C", "\x87\x40\xFA\x5C"},
      {"csshiftjis", "\x87\x40\xFA\x5C", "\x87\x40\xFA\x5C"},
      {"x-unknown", "\x93\xFA\x96\x7B", "\x93\xFA\x96\x7B"},
  };
  for (const auto& c : cases) {
    for (const std::string& declaration :
         {"<meta charset=\"" + c.label + "\">\r\n",
          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + c.label + "\"><title>"}) {
      const std::string page = declaration.ends_with("<title>")
                                   ? declaration + c.title + "</title>"
                                   : declaration + "<title>" + c.title + "</title>";
      EXPECT_EQ(Caption(page), c.caption) << page;
    }
  }
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
