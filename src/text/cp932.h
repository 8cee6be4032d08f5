#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/locale.h"

// Code page 932 byte strings: a lead byte and the byte after it form one character.
// Positions are 1-based; 0 means "none". No function changes its arguments.
namespace skimdex {

enum class CharKind { Single = 0, Lead = 1, Trail = 2 };

// Kind of byte i, judged by counting the lead bytes directly before it.
CharKind CharKindAt(std::string_view text, std::size_t i, const LeadByteSet& leads = SystemLeadBytes());

// Position of the last byte of `separators` that is not a trail byte (nor NUL), or 0.
std::size_t LastSeparatorIndex(const std::string& separators, const std::string& text,
                               const LeadByteSet& leads = SystemLeadBytes());

// Byte-wise: only "a".."z" change, trail bytes included.
std::string AsciiUpper(const std::string& text);
int AsciiCompareNoCase(const std::string& a, const std::string& b);

std::size_t FindBytes(const std::string& pattern, const std::string& text);
// First occurrence starting on a character boundary; both strings end at their first NUL.
std::size_t FindAtCharStart(const std::string& pattern, const std::string& text);
// Every non-overlapping occurrence, matched after LocaleUpper, replaced left to right.
std::string ReplaceAllNoCase(const std::string& text, const std::string& pattern,
                             const std::string& replacement);

// Byte runs, clipped to the text rather than failing.
std::string SubBytes(const std::string& text, long long start, long long count);
std::string RemoveBytes(const std::string& text, long long start, long long count);

std::string DecimalText(std::int32_t n);
// Leading blanks, then [+-]digits or $/x/X/0x/0X hex; throws EConvertError otherwise.
std::int32_t ParseInteger(const std::string& text);
std::int32_t ParseIntegerOr(const std::string& text, std::int32_t fallback);

}  // namespace skimdex
