#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skimdex {

// SkimdexCmd [--depth N] [--yes] [FOLDER [OUTPUT]]; what is omitted comes from elsewhere.
struct CommandLine {
  std::optional<std::int32_t> depth;
  bool overwrite = false;
  std::optional<std::string> folder;
  std::optional<std::string> output;
  bool help = false;
};

// The arguments are UTF-8. Nothing when they do not fit the usage (an empty OUTPUT included: it would name
// standard output); a depth that is no integer raises EConvertError.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace skimdex
