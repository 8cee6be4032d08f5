#include "text/byte_search.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skimdex {
namespace {

#if defined(__SSE2__)
constexpr std::size_t kBlock = 16;

// Bit i set where the byte at p + i equals the byte repeated in `pattern`, for the 16 bytes from p.
unsigned MatchMask(const char* p, __m128i pattern) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern)));
}
#endif

bool PatternAt(std::string_view text, std::size_t at, std::string_view pattern) {
  return std::memcmp(text.data() + at, pattern.data(), pattern.size()) == 0;
}

}  // namespace

std::size_t FindByte(std::string_view text, char byte, std::size_t from) {
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i pattern = _mm_set1_epi8(byte);
  for (; at + kBlock <= text.size(); at += kBlock) {
    if (const unsigned found = MatchMask(text.data() + at, pattern); found != 0) return at + std::countr_zero(found);
  }
#endif
  for (; at < text.size(); ++at) {
    if (text[at] == byte) return at;
  }
  return std::string_view::npos;
}

// Candidates are the places where the pattern's first two bytes both match, which in a page's text are
// far fewer than the places of its first byte alone ("C" of "CHARSET", "<" of "<TITLE>").
std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from) {
  if (pattern.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (pattern.size() == 1) return FindByte(text, pattern.front(), from);
  if (pattern.size() > text.size()) return std::string_view::npos;
  const std::size_t last = text.size() - pattern.size();
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(pattern[0]);
  const __m128i second = _mm_set1_epi8(pattern[1]);
  for (; at + kBlock + 1 <= text.size(); at += kBlock) {
    unsigned candidates = MatchMask(text.data() + at, first) & MatchMask(text.data() + at + 1, second);
    for (; candidates != 0; candidates &= candidates - 1) {
      const std::size_t place = at + std::countr_zero(candidates);
      if (place > last) return std::string_view::npos;
      if (PatternAt(text, place, pattern)) return place;
    }
  }
#endif
  for (; at <= last; ++at) {
    if (PatternAt(text, at, pattern)) return at;
  }
  return std::string_view::npos;
}

}  // namespace skimdex
