#include "cmd/command_line.h"

#include "text/cp932.h"
#include "text/path.h"
#include "text/unicode.h"

namespace skimdex {

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  std::vector<std::string> names;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
      names.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--yes") {
      line.overwrite = true;
    } else if (argument == "--help" || argument == "-h") {
      line.help = true;
    } else if (argument == "--depth" && i + 1 < arguments.size()) {
      // The depth's error message quotes it in code page 932.
      line.depth = ParseInteger(ToCp932(arguments[++i]));
    } else {
      return std::nullopt;
    }
  }
  if (names.size() > 2 || (names.size() == 2 && names[1].empty())) return std::nullopt;
  if (!names.empty()) line.folder = ArgumentPath(names[0]);
  if (names.size() == 2) line.output = ArgumentPath(names[1]);
  return line;
}

}  // namespace skimdex
