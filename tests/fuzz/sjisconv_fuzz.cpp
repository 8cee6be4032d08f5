// Feeds arbitrary bytes to the converter, and to the system's decoding that declared titles take, and
// checks what holds for every input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sjisconv/sjisconv.h"
#include "text/unicode.h"

namespace {

// Code pages that pages declare, single-byte and double-byte.
constexpr unsigned kCodePages[] = {1252, 20866, 936, 950, 949, 54936};

// Each byte at most one character, ASCII as it is, and a caption from it whatever the bytes.
void CheckDecoding(const std::string& source) {
  const unsigned code_page = kCodePages[source.size() % std::size(kCodePages)];
  const std::u32string text = skimdex::DecodeCodePage(code_page, source);
  if (text.size() > source.size()) std::abort();
  if (std::any_of(text.begin(), text.end(), [](char32_t c) { return c > 0x10FFFF; })) std::abort();
  const bool ascii = std::all_of(source.begin(), source.end(), [](char c) { return c >= 0 && c != '\0'; });
  if (ascii && text != std::u32string(source.begin(), source.end())) std::abort();
  skimdex::Cp932WithReferences(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  const std::string result = skimdex::TAutoSjisConv().ConvertToSjis(source);

  // Pairs stay pairs and removals only shorten; the first NUL ends the result.
  if (result.size() > source.size() || result.find('\0') != std::string::npos) std::abort();
  // Shift_JIS text passes as it is.
  const bool is_sjis = skimdex::DetectCode(source) == skimdex::DetectedCode::Sjis;
  if (is_sjis && result != source.substr(0, source.find('\0'))) std::abort();
  // Every call starts with the shifts off, so the previous call cannot change the outcome.
  if (skimdex::TAutoSjisConv().ConvertToSjis(source) != result) std::abort();
  CheckDecoding(source);
  return 0;
}
