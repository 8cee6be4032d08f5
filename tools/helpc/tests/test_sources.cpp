#include "test_sources.h"

#include <fstream>
#include <iterator>

namespace skimdex::helpc::test {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

HelpDocument Parse(const std::string& source) {
  return ParseHelpSource(source, "test.txt", ReadIntConstants(ReadFile(SKIMDEX_HELP_IDS)));
}

const std::string& ManualSource() {
  static const std::string source = ReadFile(SKIMDEX_HELP_SOURCE);
  return source;
}

}  // namespace skimdex::helpc::test
