#include "text/cp932.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "text/exception.h"

namespace skimdex {
namespace {

// "'%s' は整数ではありません"
constexpr char kNotAnInteger[] =
    "'%s' \x82\xCD\x90\xAE\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";

unsigned char ByteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i - 1]); }

CharKind KindAt(std::string_view text, std::size_t i, const LeadByteSet& leads) {
  if (i == 0 || i > text.size() || ByteAt(text, i) == 0) return CharKind::Single;
  std::size_t leads_before = 0;
  for (std::size_t j = i - 1; j >= 1 && leads[ByteAt(text, j)]; --j) ++leads_before;
  if (leads_before % 2 == 1) return CharKind::Trail;
  return leads[ByteAt(text, i)] ? CharKind::Lead : CharKind::Single;
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

std::size_t FindAtCharStartIn(std::string_view pattern, std::string_view text) {
  pattern = UpToNul(pattern);
  text = UpToNul(text);
  if (pattern.empty() || text.empty()) return 0;
  const LeadByteSet& leads = SystemLeadBytes();
  for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, at + 1)) {
    if (KindAt(text, at + 1, leads) != CharKind::Trail) return at + 1;
  }
  return 0;
}

unsigned char AsciiUpperByte(unsigned char b) { return b >= 'a' && b <= 'z' ? b - 0x20 : b; }

std::optional<std::uint32_t> DigitsValue(std::string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> TryParseInteger(std::string_view text) {
  const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
  std::string_view rest = text.substr(start);
  if (rest.empty()) return std::nullopt;

  std::string_view hex;
  if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')
    hex = rest.substr(1);
  else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
    hex = rest.substr(2);
  if (hex.data() != nullptr) {
    const auto value = DigitsValue(hex, 16, 0xFFFFFFFFu);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);  // two's complement: $FFFFFFFF is -1
  }

  const bool negative = rest[0] == '-';
  if (rest[0] == '+' || rest[0] == '-') rest.remove_prefix(1);
  const auto magnitude = DigitsValue(rest, 10, negative ? 2147483648u : 2147483647u);
  if (!magnitude) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*magnitude) : *magnitude);
}

}  // namespace

CharKind CharKindAt(std::string_view text, std::size_t i, const LeadByteSet& leads) {
  return KindAt(text, i, leads);
}

std::size_t LastSeparatorIndex(const std::string& separators, const std::string& text,
                               const LeadByteSet& leads) {
  for (std::size_t i = text.size(); i >= 1; --i) {
    const char c = text[i - 1];
    if (c != '\0' && separators.find(c) != std::string::npos && KindAt(text, i, leads) != CharKind::Trail) {
      return i;
    }
  }
  return 0;
}

std::string AsciiUpper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(AsciiUpperByte(static_cast<unsigned char>(c)));
  return upper;
}

int AsciiCompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t j = 0; j < n; ++j) {
    const int fa = AsciiUpperByte(static_cast<unsigned char>(a[j]));
    const int fb = AsciiUpperByte(static_cast<unsigned char>(b[j]));
    if (fa != fb) return fa - fb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

std::size_t FindBytes(const std::string& pattern, const std::string& text) {
  if (pattern.empty() || text.empty() || pattern.size() > text.size()) return 0;
  const std::size_t at = text.find(pattern);
  return at == std::string::npos ? 0 : at + 1;
}

std::size_t FindAtCharStart(const std::string& pattern, const std::string& text) {
  return FindAtCharStartIn(pattern, text);
}

std::string ReplaceAllNoCase(const std::string& text, const std::string& pattern,
                             const std::string& replacement) {
  const std::string search = LocaleUpper(text);
  const std::string upper_pattern = LocaleUpper(pattern);
  std::string result;
  // Offsets stand for the bytes already cut from the front of `text` and `search`.
  std::size_t rest = 0;
  std::size_t searched = 0;
  while (searched < search.size()) {
    const std::size_t k = FindAtCharStartIn(upper_pattern, std::string_view(search).substr(searched));
    if (k == 0) break;
    result.append(text, rest, k - 1).append(replacement);
    rest = std::min(text.size(), rest + k - 1 + pattern.size());
    searched = std::min(search.size(), searched + k - 1 + upper_pattern.size());
  }
  if (rest < text.size()) result.append(text, rest);
  return result;
}

std::string SubBytes(const std::string& text, long long start, long long count) {
  if (text.empty()) return {};
  start = std::max(start, 1LL);
  const auto length = static_cast<long long>(text.size());
  if (start > length || count < 0) return {};
  return text.substr(start - 1, std::min(count, length - start + 1));
}

std::string RemoveBytes(const std::string& text, long long start, long long count) {
  const auto length = static_cast<long long>(text.size());
  if (start < 1 || start > length || count <= 0) return text;
  std::string result = text;
  result.erase(start - 1, std::min(count, length - start + 1));
  return result;
}

std::string DecimalText(std::int32_t n) { return std::to_string(n); }

std::int32_t ParseInteger(const std::string& text) {
  const auto value = TryParseInteger(text);
  if (!value) throw EConvertError(FillPlaceholder(kNotAnInteger, text));
  return *value;
}

std::int32_t ParseIntegerOr(const std::string& text, std::int32_t fallback) {
  return TryParseInteger(text).value_or(fallback);
}

}  // namespace skimdex
