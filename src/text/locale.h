#pragma once

#include <array>
#include <string>
#include <string_view>

// The platform's code page and locale services. The Windows build reads them from the system;
// the native build (sanitizers, fuzzers) fixes them to code page 932 with ASCII case rules.
namespace skimdex {

using LeadByteSet = std::array<bool, 256>;
// For text in which every byte stands by itself as far as separators go, such as UTF-8.
inline constexpr LeadByteSet kNoLeadBytes{};

// Filled once, on first use, from the system's ANSI code page; empty on a single-byte system.
const LeadByteSet& SystemLeadBytes();

// Upper-cased copy of the same length (CharUpperBuffA).
std::string LocaleUpper(const std::string& text);

// -1, 0 or 1 for two UTF-8 names by the user's locale with case ignored (CompareStringW,
// NORM_IGNORECASE).
int LocaleCompareNoCase(const std::string& a, const std::string& b);
// The same for names in UTF-16, as the system lists them (Windows only: the folder walk).
int LocaleCompareNoCase(std::u16string_view a, std::u16string_view b);

}  // namespace skimdex
