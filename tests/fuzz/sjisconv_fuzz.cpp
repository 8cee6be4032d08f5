// Feeds arbitrary bytes to the converter and checks what holds for every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sjisconv/sjisconv.h"

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
  return 0;
}
