#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace skimdex::helpc {

// A parsed help source. Every text is the source's UTF-8, which has an exact code page 932 form;
// context ids are ASCII.

struct Span {
  std::string text;
  std::string jump_target;  // context id of the jump's topic; empty for plain text
};

// The value of a style is the number of its font in |FONT.
enum class ParagraphStyle { kTitle, kHeading, kBody };

struct Paragraph {
  ParagraphStyle style = ParagraphStyle::kBody;
  std::vector<Span> spans;
};

struct Keyword {
  std::string text;
  std::string reading;  // what the HTML keyword page sorts it by: kana or ASCII, the text unless given
};

struct Topic {
  std::string context_id;
  std::string title;
  std::optional<std::int32_t> map_number;
  std::vector<Keyword> keywords;
  std::vector<Paragraph> paragraphs;  // the first shows the title
  std::string page_name;              // its page in the HTML manual: index.html for the contents
};

struct HelpDocument {
  std::string title;
  std::string copyright;
  std::string font_face;
  std::vector<Topic> topics;  // the first is the contents topic
};

// A fault in the help source, with its place ("file:line: ...").
class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Named integer constants read from a C++ header: every line `constexpr int Name = Number;`.
std::map<std::string, std::int32_t> ReadIntConstants(const std::string& header_text);

// Parses the UTF-8 help source; `constants` give the map numbers named by `@map`. Throws SourceError.
HelpDocument ParseHelpSource(const std::string& utf8_text, const std::string& file_name,
                             const std::map<std::string, std::int32_t>& constants);

}  // namespace skimdex::helpc
