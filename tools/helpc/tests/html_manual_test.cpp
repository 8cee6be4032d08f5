#include "helpc/html_manual.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "test_sources.h"
#include "ui/help_ids.h"

namespace skimdex::helpc {
namespace {

using Link = std::pair<std::string, std::string>;  // href and text

std::string Unescaped(const std::string& text) {
  std::string plain = text;
  for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    plain = std::regex_replace(plain, std::regex(entity), c);
  }
  return plain;
}

// A written page read back: its links and the text of each heading, paragraph and list item.
struct ReadPage {
  std::vector<std::string> hrefs;
  std::vector<Link> links;
  std::vector<std::string> texts;
};

std::vector<std::smatch> Matches(const std::string& html, const char* pattern) {
  const std::regex regex(pattern);
  return {std::sregex_iterator(html.begin(), html.end(), regex), std::sregex_iterator()};
}

ReadPage ReadBack(const std::string& html) {
  ReadPage page;
  for (const auto& match : Matches(html, R"re(href="([^"]*)")re")) page.hrefs.push_back(Unescaped(match[1]));
  for (const auto& match : Matches(html, R"re(<a href="([^"]*)">([^<]*)</a>)re")) {
    page.links.emplace_back(Unescaped(match[1]), Unescaped(match[2]));
  }
  for (const auto& match : Matches(html, R"re(<(h1|h2|p|li)>(.*)</\1>)re")) {
    page.texts.push_back(Unescaped(std::regex_replace(match[2].str(), std::regex("<[^>]*>"), "")));
  }
  return page;
}

using Manual = std::map<std::string, ReadPage>;  // by file name

Manual Build(const HelpDocument& document) {
  Manual manual;
  for (const ManualFile& file : BuildHtmlManual(document)) manual[file.name] = ReadBack(file.bytes);
  return manual;
}

bool Lists(const ReadPage& page, const Link& link) {
  return std::find(page.links.begin(), page.links.end(), link) != page.links.end();
}

TEST(HtmlManualTest, EveryLinkReachesAWrittenPage) {
  const HelpDocument document = test::Parse(test::ManualSource());
  const Manual manual = Build(document);
  for (const auto& [name, page] : manual) {
    if (!name.ends_with(".html")) continue;
    for (const std::string& href : page.hrefs) EXPECT_TRUE(manual.contains(href)) << name << ": " << href;
    EXPECT_TRUE(Lists(page, {kHelpPageContents, document.topics.front().title})) << name;
    EXPECT_TRUE(std::count(page.hrefs.begin(), page.hrefs.end(), kHelpPageKeywords)) << name;
  }
  for (const char* named : {kHelpPageContents, kHelpPageKeywords, kHelpPageHowToUse, kHelpPageConfig}) {
    EXPECT_TRUE(manual.contains(named)) << named;
  }
  const auto config = std::find_if(document.topics.begin(), document.topics.end(),
                                   [](const Topic& topic) { return topic.map_number == kHelpContextConfig; });
  ASSERT_NE(config, document.topics.end());
  EXPECT_EQ(config->page_name, kHelpPageConfig);
  EXPECT_EQ(manual.at(kHelpPageConfig).texts.front(), config->title);
  for (const Topic& topic : document.topics) {
    if (&topic != &document.topics.front()) {
      EXPECT_TRUE(Lists(manual.at(kHelpPageContents), {topic.page_name, topic.title})) << topic.title;
    }
    for (const Keyword& keyword : topic.keywords) {
      EXPECT_TRUE(Lists(manual.at(kHelpPageKeywords), {topic.page_name, keyword.text})) << keyword.text;
    }
  }
}

TEST(HtmlManualTest, PagesAreNamedAfterTheirContextIds) {
  std::vector<std::string> names;
  for (const Topic& topic : test::Parse("@title T\n@font F\n@topic IDH_FIRST a\n@topic IDH_HOW_TO_USE b\n"
                                        "@topic idh_Mixed.Case c\n@topic PLAIN d\n")
                                .topics) {
    names.push_back(topic.page_name);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"index.html", "how-to-use.html", "mixed.case.html", "plain.html"}));
}

// Keywords in the order of a Japanese index: Latin first, letter case aside; then kana by sound,
// katakana as hiragana, voicing and small kana weighed only between otherwise equal readings, "ー"
// passed over. The source gives them in the reverse order.
// apple Banana cherry イカ いぬ がい かき カーソル かみ しやく しゃしん 表|ひょう
constexpr char kIndexOrder[] =
    "apple;Banana;cherry;\xE3\x82\xA4\xE3\x82\xAB;\xE3\x81\x84\xE3\x81\xAC;\xE3\x81\x8C\xE3\x81\x84;"
    "\xE3\x81\x8B\xE3\x81\x8D;\xE3\x82\xAB\xE3\x83\xBC\xE3\x82\xBD\xE3\x83\xAB;\xE3\x81\x8B\xE3\x81\xBF;"
    "\xE3\x81\x97\xE3\x82\x84\xE3\x81\x8F;\xE3\x81\x97\xE3\x82\x83\xE3\x81\x97\xE3\x82\x93;"
    "\xE8\xA1\xA8|\xE3\x81\xB2\xE3\x82\x87\xE3\x81\x86";

TEST(HtmlManualTest, KeywordsInTheOrderOfAJapaneseIndex) {
  std::string keywords;
  std::vector<std::string> expected;
  std::istringstream items(kIndexOrder);
  for (std::string keyword; std::getline(items, keyword, ';');) {
    keywords = keyword + (keywords.empty() ? "" : "; ") + keywords;
    expected.push_back(keyword.substr(0, keyword.find('|')));
  }
  const Manual manual = Build(test::Parse("@title T\n@font F\n@topic A a\n@keywords " + keywords + "\n"));
  std::vector<std::string> listed;
  for (const auto& [href, text] : manual.at(kHelpPageKeywords).links) {
    if (href == kHelpPageContents && text != "a") listed.push_back(text);
  }
  EXPECT_EQ(listed, expected);
  std::vector<std::string> sections;  // the headings of the kana rows, which end in 行
  for (const std::string& text : manual.at(kHelpPageKeywords).texts) {
    if (text.ends_with("\xE8\xA1\x8C")) sections.push_back(text);
  }
  EXPECT_EQ(manual.at(kHelpPageKeywords).texts.at(1),
            "\xE8\x8B\xB1\xE6\x95\xB0\xE5\xAD\x97\xE3\x83\xBB\xE8\xA8\x98\xE5\x8F\xB7");  // 英数字・記号
  EXPECT_EQ(sections, (std::vector<std::string>{"\xE3\x81\x82\xE8\xA1\x8C", "\xE3\x81\x8B\xE8\xA1\x8C",
                                                "\xE3\x81\x95\xE8\xA1\x8C",
                                                "\xE3\x81\xAF\xE8\xA1\x8C"}));  // あかさは行
}

// Markup characters in any text reach the reader as text (a keyword cannot hold ";").
TEST(HtmlManualTest, TextIsEscaped) {
  const std::string text = "<b>&amp; \"x\"</b>", keyword = "<b>\"x\"&";
  const Manual manual = Build(test::Parse("@title T\n@font F\n@topic A a\n@topic B " + text + "\n@keywords " +
                                          keyword + "\n" + text + "[[A|" + text + "]]\n"));
  const ReadPage& page = manual.at("b.html");
  EXPECT_EQ(page.texts, (std::vector<std::string>{text, text + text}));
  EXPECT_TRUE(Lists(page, {"index.html", text}));
  EXPECT_TRUE(Lists(manual.at(kHelpPageKeywords), {"b.html", keyword}));
}

}  // namespace
}  // namespace skimdex::helpc
