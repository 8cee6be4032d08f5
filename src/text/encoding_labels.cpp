#include "text/encoding_labels.h"

#include <algorithm>

namespace skimdex {
namespace {

struct Labels {
  DeclaredEncoding encoding;
  std::string_view labels;  // separated by blanks
};

constexpr DeclaredEncoding Page(unsigned code_page, unsigned fallback_page = 0) {
  return {LabelledEncoding::CodePage, code_page, fallback_page};
}
constexpr DeclaredEncoding kUtf8{LabelledEncoding::Utf8};
constexpr DeclaredEncoding kJapanese{LabelledEncoding::Japanese};
constexpr DeclaredEncoding kReplacement{LabelledEncoding::Replacement};

// Every label of the standard with the Windows code page of its encoding. The standard reads latin1
// and us-ascii as windows-1252, and a meta declaration of x-user-defined as windows-1252 too.
const Labels kTable[] = {
    {kUtf8, "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8"},
    {kUtf8, "unicodefffe utf-16be csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
    {kJapanese, "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {kJapanese, "cseucpkdfmtjapanese euc-jp x-euc-jp csiso2022jp iso-2022-jp"},
    {kReplacement, "csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr replacement"},
    {Page(866), "866 cp866 csibm866 ibm866"},
    {Page(28592),
     "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
    {Page(28593),
     "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
    {Page(28594),
     "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
    {Page(28595),
     "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 iso_8859-5:1988"},
    {Page(28596),
     "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e "
     "iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    {Page(28597),
     "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 iso_8859-7 "
     "iso_8859-7:1987 sun_eu_greek"},
    {Page(28598),
     "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 "
     "iso_8859-8 iso_8859-8:1988 visual"},
    {Page(28598), "csiso88598i iso-8859-8-i logical"},
    {Page(28600), "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {Page(28603), "iso-8859-13 iso8859-13 iso885913"},
    {Page(28604), "iso-8859-14 iso8859-14 iso885914"},
    {Page(28605), "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {Page(28606), "iso-8859-16"},
    {Page(20866), "cskoi8r koi koi8 koi8-r koi8_r"},
    {Page(21866), "koi8-ru koi8-u"},
    {Page(10000), "csmacintosh mac macintosh x-mac-roman"},
    {Page(874), "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {Page(1250), "cp1250 windows-1250 x-cp1250"},
    {Page(1251), "cp1251 windows-1251 x-cp1251"},
    {Page(1252),
     "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 iso88591 "
     "iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252 x-user-defined"},
    {Page(1253), "cp1253 windows-1253 x-cp1253"},
    {Page(1254),
     "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 latin5 "
     "windows-1254 x-cp1254"},
    {Page(1255), "cp1255 windows-1255 x-cp1255"},
    {Page(1256), "cp1256 windows-1256 x-cp1256"},
    {Page(1257), "cp1257 windows-1257 x-cp1257"},
    {Page(1258), "cp1258 windows-1258 x-cp1258"},
    {Page(10007), "x-mac-cyrillic x-mac-ukrainian"},
    {Page(936), "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk"},
    {Page(54936, 936), "gb18030"},
    {Page(950), "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {Page(949),
     "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 "
     "windows-949"},
};

bool SameNoCase(std::string_view label, std::string_view lower) {
  return std::equal(label.begin(), label.end(), lower.begin(), lower.end(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 0x20 : a) == b; });
}

}  // namespace

std::optional<DeclaredEncoding> EncodingOfLabel(std::string_view label) {
  if (label.empty()) return std::nullopt;
  for (const Labels& entry : kTable) {
    for (std::size_t at = 0; at < entry.labels.size();) {
      const std::size_t end = std::min(entry.labels.find(' ', at), entry.labels.size());
      if (SameNoCase(label, entry.labels.substr(at, end - at))) return entry.encoding;
      at = end + 1;
    }
  }
  return std::nullopt;
}

}  // namespace skimdex
