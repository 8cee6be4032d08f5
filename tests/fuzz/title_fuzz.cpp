// Feeds arbitrary page bytes through the line reader, the title scan and the converter, in read
// pieces of a size the input chooses, and checks what holds for every page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "index/title_scan.h"
#include "sjisconv/sjisconv.h"
#include "text/cp932.h"
#include "text/text_reader.h"

namespace {

constexpr char kName[] = "page.html";

std::string ScanInPieces(std::string_view page, std::size_t piece) {
  skimdex::MemoryByteSource source(page, piece);
  skimdex::TextReader reader(source);
  return skimdex::ScanPageTitle(reader, kName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % skimdex::TextReader::kBufferSize;
  const std::string_view page(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string title = ScanInPieces(page, piece);

  // How the file arrives must not change what is read from it.
  if (ScanInPieces(page, SIZE_MAX) != title) std::abort();
  // A caption is never empty, never spans a CR, and never keeps a comment. Nor does it keep a
  // closing tag when the page is one line: pieces of two lines may join into one.
  if (title.empty() || title.find('\r') != std::string::npos) std::abort();
  const bool one_line = page.find('\r') == std::string_view::npos;
  if (one_line && skimdex::FindBytes("</TITLE>", skimdex::AsciiUpper(title)) != 0) std::abort();
  if (skimdex::FindBytes("<!-", title) != 0) std::abort();
  skimdex::TAutoSjisConv().ConvertToSjis(title);
  return 0;
}
