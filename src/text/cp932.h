#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/locale.h"

// Code page 932 byte strings: a lead byte and the byte after it form one character.
// Positions are 1-based; 0 means "none". No function changes its arguments.
namespace skimdex {

enum class CharKind { Single = 0, Lead = 1, Trail = 2 };

// Kind of byte i, judged by counting the lead bytes directly before it.
CharKind CharKindAt(const std::string& text, std::size_t i, const LeadByteSet& leads = SystemLeadBytes());

// Position of the last byte of `separators` that is not a trail byte (nor NUL), or 0.
std::size_t LastSeparatorIndex(const std::string& separators, const std::string& text,
                               const LeadByteSet& leads = SystemLeadBytes());

// Paths: "\" separates folder names, ":" follows a drive letter.
std::string FolderPartOf(const std::string& path);      // up to and including the last separator
std::string NamePartOf(const std::string& path);        // after the last separator
std::string ExtensionOf(const std::string& path);       // from the last "." of the name, or empty
std::string WithoutExtension(const std::string& path);  // the path less ExtensionOf
std::string ParentFolderOf(const std::string& path);    // folder part without its "\", but a root keeps it

// A path that names the same file whatever the current folder: a drive with its root ("C:\"), a UNC
// path ("\\server\share\..."), or the "\\?\" form of either.
bool IsFullPath(const std::string& path);
// The path without its "\\?\" prefix ("\\?\UNC\" gives back "\\"): the form a browser can follow.
std::string WithoutLongPathPrefix(const std::string& path);

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
