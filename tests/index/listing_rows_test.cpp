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
  EXPECT_EQ(FolderRow(1, "C:\\\x83\x5C>"),
            "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + kSpace + "\x83\x5C&gt;</FONT></TD></TR>");
}

}  // namespace
}  // namespace skimdex
