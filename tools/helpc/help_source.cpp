#include "helpc/help_source.h"

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "helpc/context_hash.h"
#include "helpc/cp932_encode.h"
#include "helpc/reading_order.h"
#include "text/utf8.h"
#include "ui/help_ids.h"

namespace skimdex::helpc {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// Keywords differing only in ASCII letter case would be one entry to the Windows index.
std::string FoldedKey(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

// A topic's HTML page: the context id without "IDH_", in lower case, "_" as "-".
std::string TopicPageName(std::string_view context_id) {
  if (FoldedKey(std::string(context_id.substr(0, 4))) == "IDH_") context_id.remove_prefix(4);
  std::string name;
  for (const char c : context_id) name += c == '_' ? '-' : c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
  return name + ".html";
}

// A page named ".html", or one that Windows opens as a device (by the name up to its first "."),
// never as a file.
bool IsUnusablePageName(const std::string& page_name) {
  static const std::regex kDevice("|con|prn|aux|nul|com[0-9]|lpt[0-9]");
  return std::regex_match(page_name.substr(0, page_name.find('.')), kDevice);
}

class Parser {
 public:
  Parser(const std::string& file_name, const std::map<std::string, std::int32_t>& constants)
      : file_name_(file_name), constants_(constants) {}

  HelpDocument Parse(const std::string& utf8_text) {
    std::istringstream lines(utf8_text);
    std::string line;
    while (std::getline(lines, line)) {
      ++line_number_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ParseLine(line);
    }
    Finish();
    return std::move(document_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message, int line = 0) const {
    throw SourceError(file_name_ + ":" + std::to_string(line ? line : line_number_) + ": " + message);
  }

  // The text, once it is known to have a code page 932 form.
  std::string Checked(const std::string& utf8) const {
    const Cp932Result result = Utf8ToCp932(utf8);
    if (result.ok) return utf8;
    if (result.refused == kMalformed) Fail("malformed UTF-8");
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(result.refused));
    Fail(std::string("character ") + code + " has no exact code page 932 form");
  }

  Topic& CurrentTopic() {
    if (document_.topics.empty()) Fail("text before the first @topic");
    return document_.topics.back();
  }

  void ParseLine(const std::string& line) {
    if (Trim(line).empty() || line[0] == '#') return;
    if (line[0] != '@') {
      CurrentTopic().paragraphs.push_back({ParagraphStyle::kBody, ParseSpans(line)});
      return;
    }
    const auto space = line.find(' ');
    const std::string directive = line.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : Trim(line.substr(space));
    if (argument.empty()) Fail(directive + " needs an argument");
    if (directive == "@title") {
      document_.title = Checked(argument);
    } else if (directive == "@copyright") {
      document_.copyright = Checked(argument);
    } else if (directive == "@font") {
      document_.font_face = Checked(argument);
    } else if (directive == "@topic") {
      StartTopic(argument);
    } else if (directive == "@map") {
      SetMapNumber(argument);
    } else if (directive == "@keywords") {
      AddKeywords(argument);
    } else if (directive == "@heading") {
      CurrentTopic().paragraphs.push_back({ParagraphStyle::kHeading, {{Checked(argument), {}}}});
    } else {
      Fail("unknown directive " + directive);
    }
  }

  void StartTopic(const std::string& argument) {
    const auto space = argument.find(' ');
    if (space == std::string::npos) Fail("@topic needs a context id and a title");
    Topic topic;
    topic.context_id = argument.substr(0, space);
    topic.title = Checked(Trim(argument.substr(space)));
    if (!IsValidContextId(topic.context_id))
      Fail("context id '" + topic.context_id + "' is not made of [A-Za-z0-9._]");
    if (!hashes_.insert(ContextHash(topic.context_id)).second) {
      Fail("context id '" + topic.context_id + "' repeats or collides with another one's hash");
    }
    topic_ids_.insert(topic.context_id);
    topic.page_name = document_.topics.empty() ? kHelpPageContents : TopicPageName(topic.context_id);
    if (!document_.topics.empty() &&
        (IsUnusablePageName(topic.page_name) || !page_names_.insert(topic.page_name).second)) {
      Fail("topic " + topic.context_id + "'s page " + topic.page_name + " is taken or unusable");
    }
    topic.paragraphs.push_back({ParagraphStyle::kTitle, {{topic.title, {}}}});
    document_.topics.push_back(std::move(topic));
  }

  void SetMapNumber(const std::string& name) {
    const auto constant = constants_.find(name);
    if (constant == constants_.end()) Fail("map number '" + name + "' is not defined in the ids header");
    Topic& topic = CurrentTopic();
    if (topic.map_number) Fail("topic " + topic.context_id + " has two map numbers");
    if (!map_numbers_.insert(constant->second).second) Fail("map number '" + name + "' is used twice");
    topic.map_number = constant->second;
  }

  // Keywords written KEYWORD or KEYWORD|READING, the reading in kana for one with kanji.
  void AddKeywords(const std::string& list) {
    Topic& topic = CurrentTopic();
    std::istringstream items(list);
    std::string item;
    while (std::getline(items, item, ';')) {
      const auto bar = item.find('|');
      Keyword keyword{Checked(Trim(item.substr(0, bar))), {}};
      keyword.reading = bar == std::string::npos ? keyword.text : Checked(Trim(item.substr(bar + 1)));
      if (keyword.text.empty() || keyword.reading.empty()) Fail("empty keyword or reading");
      const auto reading = DecodeUtf8(keyword.reading);
      if (!IsReading(*reading))
        Fail("keyword '" + keyword.text + "' needs a reading in kana: KEYWORD|READING");
      // Each keyword leads to one topic: Wine's index cannot choose between several.
      if (!keywords_.insert(FoldedKey(keyword.text)).second)
        Fail("keyword '" + keyword.text + "' is used twice");
      topic.keywords.push_back(std::move(keyword));
    }
  }

  // Plain text with jumps written [[CONTEXT_ID|text]].
  std::vector<Span> ParseSpans(const std::string& line) {
    std::vector<Span> spans;
    std::size_t pos = 0;
    while (pos < line.size()) {
      const auto open = line.find("[[", pos);
      if (open != pos) {
        spans.push_back({Checked(line.substr(pos, open - pos)), {}});
        if (open == std::string::npos) break;
      }
      const auto close = line.find("]]", open);
      const auto bar = line.find('|', open);
      if (close == std::string::npos || bar > close) Fail("a jump is written [[CONTEXT_ID|text]]");
      Span jump{Checked(line.substr(bar + 1, close - bar - 1)), line.substr(open + 2, bar - open - 2)};
      if (jump.text.empty()) Fail("a jump needs a text");
      jumps_.emplace_back(jump.jump_target, line_number_);
      spans.push_back(std::move(jump));
      pos = close + 2;
    }
    return spans;
  }

  void Finish() {
    if (document_.topics.empty()) Fail("no @topic");
    if (document_.title.empty()) Fail("no @title", 1);
    if (document_.font_face.empty()) Fail("no @font", 1);
    for (const auto& [target, line] : jumps_) {
      if (!topic_ids_.contains(target)) Fail("jump to unknown context id '" + target + "'", line);
    }
  }

  std::string file_name_;
  const std::map<std::string, std::int32_t>& constants_;
  HelpDocument document_;
  int line_number_ = 0;
  std::set<std::int32_t> hashes_;
  std::set<std::string> topic_ids_;
  std::set<std::int32_t> map_numbers_;
  std::set<std::string> page_names_{kHelpPageContents, kHelpPageKeywords};
  std::set<std::string> keywords_;
  std::vector<std::pair<std::string, int>> jumps_;
};

}  // namespace

std::map<std::string, std::int32_t> ReadIntConstants(const std::string& header_text) {
  static const std::regex kConstant(R"(^\s*constexpr\s+int\s+(\w+)\s*=\s*(-?\d+)\s*;)");
  std::map<std::string, std::int32_t> constants;
  std::istringstream lines(header_text);
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, kConstant)) {
      constants[match[1]] = static_cast<std::int32_t>(std::stol(match[2]));
    }
  }
  return constants;
}

HelpDocument ParseHelpSource(const std::string& utf8_text, const std::string& file_name,
                             const std::map<std::string, std::int32_t>& constants) {
  return Parser(file_name, constants).Parse(utf8_text);
}

}  // namespace skimdex::helpc
