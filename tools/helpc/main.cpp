// helpc: compiles the UTF-8 help source into a WinHelp file, its contents file and the HTML manual.
//   helpc IDS_HEADER SOURCE OUTPUT.hlp OUTPUT.cnt HTML_FOLDER
// The HTML_FOLDER's pages and style sheet (its .html and .css files) are written anew each time.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "helpc/help_source.h"
#include "helpc/hlp_file.h"
#include "helpc/html_manual.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

// Removes the manual's pages and style sheet, so that no page of a topic since removed stays.
void RemoveManual(const fs::path& folder) {
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
    const fs::path extension = entry.path().extension();
    if (entry.is_regular_file(ignored) && (extension == ".html" || extension == ".css")) {
      fs::remove(entry.path(), ignored);
    }
  }
}

void WriteManual(const fs::path& folder, const std::vector<skimdex::helpc::ManualFile>& files) {
  fs::create_directories(folder);
  RemoveManual(folder);
  for (const auto& file : files) WriteFile(folder / file.name, file.bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: helpc IDS_HEADER SOURCE OUTPUT.hlp OUTPUT.cnt HTML_FOLDER\n";
    return 64;
  }
  try {
    using namespace skimdex::helpc;
    const HelpDocument document =
        ParseHelpSource(ReadFile(argv[2]), argv[2], ReadIntConstants(ReadFile(argv[1])));
    const std::string hlp_name = fs::path(argv[3]).filename().string();
    WriteFile(argv[3], BuildHlpFile(document));
    WriteFile(argv[4], BuildContentsFile(document, hlp_name));
    WriteManual(argv[5], BuildHtmlManual(document));
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    // A failed build leaves no output, so the next build runs the compiler again.
    std::error_code ignored;
    fs::remove(argv[3], ignored);
    fs::remove(argv[4], ignored);
    RemoveManual(argv[5]);
    return 1;
  }
  return 0;
}
