#pragma once

#include <cstddef>
#include <string_view>

// Searches in byte strings, sixteen bytes at a time. The program's hot loops look for CR and for tags in
// every page: the C runtime that Wine supplies looks at one byte at a time in its memchr, and
// std::string_view::find goes through it.
namespace skimdex {

// The first `byte` in `text` at or after `from`, or npos.
std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0);

// The first `pattern` in `text` at or after `from`, or npos; an empty pattern is found at `from`.
std::size_t FindText(std::string_view text, std::string_view pattern, std::size_t from = 0);

}  // namespace skimdex
