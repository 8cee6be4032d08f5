// Feeds arbitrary page bytes, as they stand, after a line declaring UTF-8 or another charset, or as
// UTF-16 after its byte order mark, through the page reader, the title scan and the caption, in read
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
// What the top two bits of the first byte put before the page.
constexpr std::string_view kPrefixes[] = {
    "", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n",
    "<meta charset=\"windows-1252\"><meta charset=gbk>\r\n", "\xFF\xFE"};
constexpr std::size_t kUtf8Prefix = 1, kCodePagePrefix = 2, kUtf16Prefix = 3;

skimdex::ScannedTitle ScanInPieces(std::string_view page, std::size_t piece) {
  skimdex::MemoryByteSource source(page, piece);
  return skimdex::ScanPage(source, kName);
}

bool SameTitle(const skimdex::ScannedTitle& a, const skimdex::ScannedTitle& b) {
  return a.text == b.text && a.utf8 == b.utf8 && a.code_page == b.code_page && a.file_name == b.file_name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte's top two bits choose the prefix; its other bits the read pieces.
  const std::size_t prefix = data[0] >> 6;
  const std::size_t piece = 1 + (data[0] & 0x3F) % skimdex::TextReader::kBufferSize;
  const std::string page =
      std::string(kPrefixes[prefix]) + std::string(reinterpret_cast<const char*>(data) + 1, size - 1);
  const skimdex::ScannedTitle scanned = ScanInPieces(page, piece);
  const std::string& title = scanned.text;

  // How the file arrives must not change what is read from it.
  if (!SameTitle(ScanInPieces(page, SIZE_MAX), scanned)) std::abort();
  // A caption is never empty, never spans a CR, and never keeps a comment. Nor does it keep a
  // closing tag when the page is one line: pieces of two lines may join into one.
  if (title.empty() || title.find('\r') != std::string::npos) std::abort();
  const bool one_line = page.find('\r') == std::string_view::npos && prefix != kUtf16Prefix;
  if (one_line && skimdex::FindBytes("</TITLE>", skimdex::AsciiUpper(title)) != 0) std::abort();
  if (skimdex::FindBytes("<!-", title) != 0) std::abort();
  // A page's own title is read as its prefix says: UTF-8 from a UTF-8 declaration or a UTF-16 mark, a
  // code page from a code page declaration unless the page declares UTF-8 itself.
  const bool own_title = !scanned.file_name;
  if (own_title && (prefix == kUtf8Prefix || prefix == kUtf16Prefix) && !scanned.utf8) std::abort();
  if (own_title && prefix == kCodePagePrefix && !scanned.utf8 && scanned.code_page != 1252) std::abort();
  // A title not decoded is converted as ever.
  const std::string caption = skimdex::PageCaption(scanned);
  if (!scanned.utf8 && scanned.code_page == 0 && caption != skimdex::TAutoSjisConv().ConvertToSjis(title))
    std::abort();
  return 0;
}
