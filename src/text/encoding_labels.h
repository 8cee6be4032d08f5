#pragma once

#include <optional>
#include <string_view>

// The charset labels a page may declare, as browsers know them (the WHATWG Encoding Standard).
namespace skimdex {

enum class LabelledEncoding {
  Utf8,         // UTF-8, and UTF-16 labels, which a page without a UTF-16 byte order mark cannot mean
  Japanese,     // Shift_JIS, EUC-JP, ISO-2022-JP: the Japanese converter decides
  CodePage,     // decoded by the system's conversion
  Replacement,  // encodings a browser refuses to decode (ISO-2022-KR, HZ-GB-2312, ISO-2022-CN)
};

struct DeclaredEncoding {
  LabelledEncoding kind;
  unsigned code_page = 0;      // for CodePage: the Windows code page
  unsigned fallback_page = 0;  // the one to take where the system lacks code_page, or 0
};

// The encoding a label names, any ASCII case; nothing for a label the standard does not list.
std::optional<DeclaredEncoding> EncodingOfLabel(std::string_view label);

}  // namespace skimdex
