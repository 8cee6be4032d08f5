#include "text/byte_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace skimdex {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighs = 0x8080808080808080;

// The high bit of every byte of `word` that is zero, and no other bit below the first such byte.
std::uint64_t ZeroBytes(std::uint64_t word) { return (word - kOnes) & ~word & kHighs; }

}  // namespace

std::size_t FindByte(std::string_view text, char byte, std::size_t from) {
  const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
  std::size_t at = from;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (const std::uint64_t found = ZeroBytes(word ^ pattern); found != 0) {
      // The first match is the lowest byte in memory on a little-endian machine.
      return std::endian::native == std::endian::little ? at + std::countr_zero(found) / 8
                                                        : at + std::countl_zero(found) / 8;
    }
  }
  for (; at < text.size(); ++at) {
    if (text[at] == byte) return at;
  }
  return std::string_view::npos;
}

std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from) {
  if (pattern.empty()) return from <= text.size() ? from : std::string_view::npos;
  for (std::size_t at = FindByte(text, pattern.front(), from);
       at != std::string_view::npos && at + pattern.size() <= text.size();
       at = FindByte(text, pattern.front(), at + 1)) {
    if (text.compare(at, pattern.size(), pattern) == 0) return at;
  }
  return std::string_view::npos;
}

}  // namespace skimdex
