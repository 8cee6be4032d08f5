#include <windows.h>

#include "text/locale.h"
#include "text/utf8.h"

namespace skimdex {
namespace {

LeadByteSet ReadLeadBytes() {
  LeadByteSet set{};
  CPINFO info{};
  if (GetSystemMetrics(SM_DBCSENABLED) == 0 || !GetCPInfo(CP_ACP, &info)) return set;
  for (int k = 0; k + 1 < MAX_LEADBYTES; k += 2) {
    const BYTE low = info.LeadByte[k];
    const BYTE high = info.LeadByte[k + 1];
    if (low == 0 && high == 0) break;
    for (int b = low; b <= high; ++b) set[b] = true;
  }
  return set;
}

}  // namespace

const LeadByteSet& SystemLeadBytes() {
  static const LeadByteSet set = ReadLeadBytes();
  return set;
}

std::string LocaleUpper(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

// The names are compared as the Unicode text they are; for a name that code page 932 can spell this is
// the order CompareStringA gives its bytes, since it compares their Unicode form.
int LocaleCompareNoCase(const std::string& a, const std::string& b) {
  return LocaleCompareNoCase(Utf16OfUtf8(a), Utf16OfUtf8(b));
}

int LocaleCompareNoCase(std::u16string_view a, std::u16string_view b) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                                    reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                    reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()));
  if (result == 0) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);  // invalid arguments only
  return result - CSTR_EQUAL;
}

}  // namespace skimdex
