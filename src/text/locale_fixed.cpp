#include <algorithm>

#include "text/cp932.h"
#include "text/locale.h"

namespace skimdex {

const LeadByteSet& SystemLeadBytes() {
  static const LeadByteSet set = [] {
    LeadByteSet s{};
    for (int b = 0x81; b <= 0x9F; ++b) s[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) s[b] = true;
    return s;
  }();
  return set;
}

std::string LocaleUpper(const std::string& text) { return AsciiUpper(text); }

int LocaleCompareNoCase(const std::string& a, const std::string& b) {
  const int c = AsciiCompareNoCase(a, b);
  return (c > 0) - (c < 0);
}

}  // namespace skimdex
