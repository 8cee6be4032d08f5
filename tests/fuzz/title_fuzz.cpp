// Feeds arbitrary page bytes, with or without a line declaring UTF-8 first, through the line reader,
// the title scan and the caption, in read pieces of a size the input chooses, and checks what holds
// for every page.
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
constexpr char kDeclaration[] = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";

skimdex::ScannedTitle ScanInPieces(std::string_view page, std::size_t piece) {
  skimdex::MemoryByteSource source(page, piece);
  skimdex::TextReader reader(source);
  return skimdex::ScanPageTitle(reader, kName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte's top bit puts the declaration first; its other bits choose the read pieces.
  const bool declared = (data[0] & 0x80) != 0;
  const std::size_t piece = 1 + (data[0] & 0x7F) % skimdex::TextReader::kBufferSize;
  const std::string page =
      (declared ? kDeclaration : "") + std::string(reinterpret_cast<const char*>(data) + 1, size - 1);
  const skimdex::ScannedTitle scanned = ScanInPieces(page, piece);
  const std::string& title = scanned.text;

  // How the file arrives must not change what is read from it.
  const skimdex::ScannedTitle whole = ScanInPieces(page, SIZE_MAX);
  if (whole.text != title || whole.utf8 != scanned.utf8) std::abort();
  // A caption is never empty, never spans a CR, and never keeps a comment. Nor does it keep a
  // closing tag when the page is one line: pieces of two lines may join into one.
  if (title.empty() || title.find('\r') != std::string::npos) std::abort();
  const bool one_line = page.find('\r') == std::string_view::npos;
  if (one_line && skimdex::FindBytes("</TITLE>", skimdex::AsciiUpper(title)) != 0) std::abort();
  if (skimdex::FindBytes("<!-", title) != 0) std::abort();
  // A declared page's own title is read as UTF-8; a title not read so is converted as ever.
  if (declared && !scanned.utf8 && title != kName) std::abort();
  const std::string caption = skimdex::PageCaption(scanned);
  if (!scanned.utf8 && caption != skimdex::TAutoSjisConv().ConvertToSjis(title)) std::abort();
  return 0;
}
