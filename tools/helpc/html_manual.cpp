#include "helpc/html_manual.h"

#include <algorithm>
#include <map>

#include "helpc/html_style.h"
#include "helpc/reading_order.h"
#include "text/utf8.h"
#include "ui/help_ids.h"

namespace skimdex::helpc {
namespace {

constexpr char kStyleSheet[] = "skimdex.css";
constexpr char kKeywordsTitle[] =
    "\xE3\x82\xAD\xE3\x83\xBC\xE3\x83\xAF\xE3\x83\xBC\xE3\x83\x89";  // キーワード

using PageNames = std::map<std::string, std::string>;  // context id to page name

std::string Escaped(const std::string& text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string Link(const std::string& page, const std::string& text) {
  return "<a href=\"" + Escaped(page) + "\">" + Escaped(text) + "</a>";
}

std::string Page(const HelpDocument& document, const std::string& title, const std::string& body) {
  const std::string& contents = document.topics.front().title;
  return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         Escaped(title) + " - " + Escaped(document.title) + "</title>\n<link rel=\"stylesheet\" href=\"" +
         kStyleSheet + "\">\n</head>\n<body>\n<header>\n<span class=\"manual\">" + Escaped(document.title) +
         "</span>\n<nav>" + Link(kHelpPageContents, contents) + " " +
         Link(kHelpPageKeywords, kKeywordsTitle) + "</nav>\n</header>\n<main>\n" + body +
         "</main>\n<footer>" + Escaped(document.copyright) + "</footer>\n</body>\n</html>\n";
}

std::string Spans(const Paragraph& paragraph, const PageNames& pages) {
  std::string html;
  for (const Span& span : paragraph.spans) {
    html += span.jump_target.empty() ? Escaped(span.text) : Link(pages.at(span.jump_target), span.text);
  }
  return html;
}

// A paragraph that is a jump and nothing else: the lists of related topics and of the contents.
bool IsJumpOnly(const Paragraph& paragraph) {
  return paragraph.spans.size() == 1 && !paragraph.spans.front().jump_target.empty();
}

// The topic's paragraphs, each run of jump-only paragraphs as a list; `without_jumps` leaves those out.
std::string TopicBody(const Topic& topic, const PageNames& pages, bool without_jumps) {
  static const std::map<ParagraphStyle, std::string> kElements = {
      {ParagraphStyle::kTitle, "h1"}, {ParagraphStyle::kHeading, "h2"}, {ParagraphStyle::kBody, "p"}};
  std::string html;
  bool in_list = false;
  for (const Paragraph& paragraph : topic.paragraphs) {
    const bool jump_only = IsJumpOnly(paragraph);
    if (jump_only && without_jumps) continue;
    if (jump_only != in_list) html += jump_only ? "<ul class=\"links\">\n" : "</ul>\n";
    in_list = jump_only;
    const std::string element = jump_only ? "li" : kElements.at(paragraph.style);
    html += "<" + element + ">" + Spans(paragraph, pages) + "</" + element + ">\n";
  }
  return html + (in_list ? "</ul>\n" : "");
}

// The contents topic's own text, its jumps giving way to the list of every other topic.
std::string ContentsBody(const HelpDocument& document, const PageNames& pages) {
  std::string html = TopicBody(document.topics.front(), pages, true) + "<ol class=\"contents\">\n";
  for (auto topic = document.topics.begin() + 1; topic != document.topics.end(); ++topic) {
    html += "<li>" + Link(topic->page_name, topic->title) + "</li>\n";
  }
  return html + "</ol>\n";
}

struct IndexEntry {
  std::u32string reading;
  const Keyword* keyword;
  const Topic* topic;
};

// Every keyword in the order of its reading, under the heading of its kana row.
std::string KeywordsBody(const HelpDocument& document) {
  std::vector<IndexEntry> entries;
  for (const Topic& topic : document.topics) {
    for (const Keyword& keyword : topic.keywords) {
      entries.push_back({DecodeUtf8(keyword.reading).value(), &keyword, &topic});
    }
  }
  std::sort(entries.begin(), entries.end(), [](const IndexEntry& a, const IndexEntry& b) {
    if (ReadingLess(a.reading, b.reading)) return true;
    return !ReadingLess(b.reading, a.reading) && a.keyword->text < b.keyword->text;
  });
  std::string html = std::string("<h1>") + kKeywordsTitle + "</h1>\n", section;
  for (const IndexEntry& entry : entries) {
    if (const std::string heading = ReadingSection(entry.reading); heading != section) {
      html += std::string(section.empty() ? "" : "</ul>\n") + "<h2>" + heading +
              "</h2>\n<ul class=\"keywords\">\n";
      section = heading;
    }
    html += "<li>" + Link(entry.topic->page_name, entry.keyword->text) + " <span class=\"topic\">" +
            Escaped(entry.topic->title) + "</span></li>\n";
  }
  return html + (section.empty() ? "" : "</ul>\n");
}

}  // namespace

std::vector<ManualFile> BuildHtmlManual(const HelpDocument& document) {
  PageNames pages;
  for (const Topic& topic : document.topics) pages[topic.context_id] = topic.page_name;
  std::vector<ManualFile> files;
  const Topic& contents = document.topics.front();
  files.push_back({contents.page_name, Page(document, contents.title, ContentsBody(document, pages))});
  for (auto topic = document.topics.begin() + 1; topic != document.topics.end(); ++topic) {
    files.push_back({topic->page_name, Page(document, topic->title, TopicBody(*topic, pages, false))});
  }
  files.push_back({kHelpPageKeywords, Page(document, kKeywordsTitle, KeywordsBody(document))});
  files.push_back({kStyleSheet, kStyleSheetText});
  return files;
}

}  // namespace skimdex::helpc
