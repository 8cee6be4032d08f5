#include "index/title_scan.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "text/cp932.h"

namespace skimdex {
namespace {

using namespace std::string_literals;

constexpr char kName[] = "page.html";

std::string Scan(std::string_view page, std::size_t chunk = SIZE_MAX) {
  MemoryByteSource source(page, chunk);
  TextReader reader(source);
  return ScanPageTitle(reader, kName);
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

TEST(PageFileName, AfterTheLastWholeBackslash) {
  const struct {
    std::string path, name;
  } cases[] = {
      {"C:\\Web\\index.html", "index.html"},
      {"index.html", "index.html"},
      {"C:index.html", "C:index.html"},  // only the backslash counts
      {"C:\\Web\\", ""},
      {"C:\\Web\\\x95\x5C.html", "\x95\x5C.html"},  // 表.html
      {"C:\\\x95\x5C", "\x95\x5C"},
  };
  for (const auto& c : cases) EXPECT_EQ(PageFileName(c.path), c.name) << c.path;
}

// Lines from a list; running out of them fails like memory running out.
class ThrowingLines final : public LineSource {
 public:
  explicit ThrowingLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool AtEndSkippingBlanks() override {
    if (next_ == lines_.size()) throw std::bad_alloc();
    return false;
  }
  std::string ReadTextLine() override { return lines_[next_++]; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

TEST(ScanPageTitle, FailureKeepsTheTitleCollectedSoFar) {
  ThrowingLines cut_after_opening({"<p>", "<title>Annual"});
  EXPECT_EQ(ScanPageTitle(cut_after_opening, kName), "Annual");
  ThrowingLines cut_before_any({"<p>"});
  EXPECT_EQ(ScanPageTitle(cut_before_any, kName), kName);
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
