#pragma once

#include <string>
#include <vector>

#include "helpc/help_source.h"

namespace skimdex::helpc {

// One file of the HTML manual's folder.
struct ManualFile {
  std::string name;  // ASCII
  std::string bytes;
};

// The HTML manual of the document, in UTF-8: the contents page (the contents topic with a list of
// every topic), a page per other topic, the keyword page and the style sheet they share.
std::vector<ManualFile> BuildHtmlManual(const HelpDocument& document);

}  // namespace skimdex::helpc
