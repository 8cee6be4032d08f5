#pragma once

#include <string>

#include "helpc/help_source.h"

namespace skimdex::helpc {

// The document with every text in code page 932, as the help file holds it.
HelpDocument InCodePage932(HelpDocument document);

// The uncompressed WinHelp 3.1 file of the document: topics, fonts, context ids, map numbers,
// keyword index and topic titles, with the text in code page 932.
std::string BuildHlpFile(const HelpDocument& document);

// The contents file (.cnt) beside it: one entry per topic, lines ending in CR LF.
std::string BuildContentsFile(const HelpDocument& document, const std::string& hlp_file_name);

}  // namespace skimdex::helpc
