#include "index/listing_rows.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "text/path.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

constexpr char kFullWidthSpace[] = "\x81\x40";
// ASCII that a link target percent-encodes: what a browser would take for markup, an escape, a
// fragment or a query.
constexpr char kEncodedAscii[] = "\"<>%#?";

std::string PercentEncoded(std::string_view bytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    encoded += {'%', kHex[b >> 4], kHex[b & 0x0F]};
  }
  return encoded;
}

// A character as it stands in a link target, or empty when it goes percent-encoded.
std::string LinkForm(char32_t c) {
  if (c >= 0x80) return Cp932FormOf(c);
  if (std::strchr(kEncodedAscii, static_cast<int>(c)) != nullptr) return {};
  return std::string(1, static_cast<char>(c));
}

}  // namespace

// The replaced bytes all lie below 0x40, so none is ever the second byte of a double-byte character.
std::string CaptionText(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '<') {
      result += "&lt;";
    } else if (c == '>') {
      result += "&gt;";
    } else {
      result += c;
    }
  }
  return result;
}

std::string NameCaption(const std::string& name) {
  return CaptionText(Cp932WithReferences(CharactersOfName(name)));
}

std::string LinkTarget(const std::string& path) {
  std::string result;
  result.reserve(path.size());
  for (std::size_t at = 0; at < path.size();) {
    const char byte = path[at];
    // Most of a path is ASCII that stands as it is.
    if (static_cast<unsigned char>(byte) < 0x80 && std::strchr(kEncodedAscii, byte) == nullptr) {
      result += byte;
      ++at;
      continue;
    }
    const std::size_t start = at;
    const std::optional<char32_t> c = DecodeUtf8Character(path, at, Surrogates::Kept);
    if (!c) ++at;  // a byte that starts no character
    const std::string form = c ? LinkForm(*c) : std::string();
    result += form.empty() ? PercentEncoded(std::string_view(path).substr(start, at - start)) : form;
  }
  return result;
}

std::string Indent(int depth) {
  std::string indent;
  for (int i = 0; i < depth; ++i) indent += kFullWidthSpace;
  return indent;
}

std::string FolderRow(int depth, const std::string& path) {
  return "<TR><TD NOWRAP><FONT SIZE=\"+1\">" + Indent(depth) + NameCaption(FileNameOf(path)) +
         "</FONT></TD></TR>";
}

std::string PageRow(int depth, const std::string& path, const std::string& title) {
  return "<TR><TD NOWRAP>" + Indent(depth) + "<A HREF=\"file:///" + LinkTarget(path) + "\">" +
         CaptionText(title) + "</A></TD></TR>";
}

}  // namespace skimdex
