#include "index/listing_rows.h"

#include <gtest/gtest.h>

namespace skimdex {
namespace {

const std::string kSpace = "\x81\x40";  // full-width space

TEST(ListingRows, TitlesShowAsTextNeverAsMarkup) {
  const struct {
    std::string title, caption;
  } cases[] = {
      {"</A><SCRIPT>alert(1)</SCRIPT>", "&lt;/A&gt;&lt;SCRIPT&gt;alert(1)&lt;/SCRIPT&gt;"},
      {"a < b > c", "a &lt; b &gt; c"},
      {"\x95\x5C<", "\x95\x5C&lt;"},  // 表 then "<"
      {">", "&gt;"},
      {"Tom &amp; \"Jerry\"", "Tom &amp; \"Jerry\""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PageRow(1, "C:\\a.html", c.title),
              "<TR><TD NOWRAP>" + kSpace + "<A HREF=\"file:///C:\\a.html\">" + c.caption + "</A></TD></TR>")
        << c.title;
  }
}

// Names that Linux allows and Windows forbids reach the program under Wine.
TEST(ListingRows, NamesHoldingMarkupCharacters) {
  EXPECT_EQ(
      PageRow(2, "/x/\"<b>\".html", "t"),
      "<TR><TD NOWRAP>" + kSpace + kSpace + "<A HREF=\"file:////x/%22%3Cb%3E%22.html\">t</A></TD></TR>");
  EXPECT_EQ(FolderRow(1, "C:\\web\\<\"x\">"),
            "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + kSpace + "&lt;\"x\"&gt;</FONT></TD></TR>");
  EXPECT_EQ(FolderRow(1, "C:\\\xE3\x82\xBD>"),  // ソ
            "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + kSpace + "\x83\x5C&gt;</FONT></TD></TR>");
}

// Names in UTF-8 as the program keeps them; in the code page 932 page the characters it has stay, those
// it lacks become escapes in link targets and references in captions.
TEST(ListingRows, NamesOutsideTheCodePage) {
  const struct {
    std::string name, target, caption;
  } cases[] = {
      {"\xE8\xA1\xA8\xE3\x82\xBD", "\x95\x5C\x83\x5C", "\x95\x5C\x83\x5C"},  // 表ソ: trail bytes "\\" kept
      {"\xE3\x80\x9C", "%E3%80%9C", "&#12316;"},                             // 〜
      {"caf\xC3\xA9", "caf%C3%A9", "caf&#233;"},                             // é
      {"\xE2\x99\xA5", "%E2%99%A5", "&#9829;"},                              // ♥
      {"\xF0\x9F\x98\x80", "%F0%9F%98%80", "&#128512;"},                     // an emoji
      {"a\xC2\xA5"
       "b",
       "a%C2%A5b", "a&#165;b"},  // ¥, never "\\"
      {"C#100%?.html", "C%23100%25%3F.html", "C#100%?.html"},
      {"\xED\xA0\x80", "%ED%A0%80", "&#55296;"},  // a surrogate without its partner
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkTarget("C:\\" + c.name), "C:\\" + c.target) << c.name;
    EXPECT_EQ(NameCaption(c.name), c.caption) << c.name;
  }
}

}  // namespace
}  // namespace skimdex
