// helpc: compiles the UTF-8 help source into a WinHelp file and its contents file.
//   helpc IDS_HEADER SOURCE OUTPUT.hlp OUTPUT.cnt
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "helpc/help_source.h"
#include "helpc/hlp_file.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: helpc IDS_HEADER SOURCE OUTPUT.hlp OUTPUT.cnt\n";
    return 64;
  }
  try {
    using namespace skimdex::helpc;
    const HelpDocument document =
        ParseHelpSource(ReadFile(argv[2]), argv[2], ReadIntConstants(ReadFile(argv[1])));
    const std::string hlp_name = std::filesystem::path(argv[3]).filename().string();
    WriteFile(argv[3], BuildHlpFile(document));
    WriteFile(argv[4], BuildContentsFile(document, hlp_name));
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    // A failed build leaves no output, so the next build runs the compiler again.
    std::error_code ignored;
    std::filesystem::remove(argv[3], ignored);
    std::filesystem::remove(argv[4], ignored);
    return 1;
  }
  return 0;
}
