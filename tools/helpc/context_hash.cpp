#include "helpc/context_hash.h"

namespace skimdex::helpc {
namespace {

std::uint32_t CharacterValue(char c) {
  if (c >= '1' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A' + 17);
  if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a' + 17);
  return 0;
}

}  // namespace

bool IsValidContextId(std::string_view id) {
  if (id.empty()) return false;
  for (const char c : id) {
    if (CharacterValue(c) == 0) return false;
  }
  return true;
}

std::int32_t ContextHash(std::string_view id) {
  std::uint32_t hash = 0;  // unsigned: the engine's arithmetic wraps modulo 2^32
  for (const char c : id) hash = hash * 43 + CharacterValue(c);
  return static_cast<std::int32_t>(hash);
}

}  // namespace skimdex::helpc
