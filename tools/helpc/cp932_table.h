#pragma once

#include <cstdint>

namespace skimdex::helpc {

// Code page 932 code to Unicode code point (0 = no character that survives a round trip), made by
// tools/cp932-table from glibc's iconv. Double-byte rows: leads 0x81-0x9F then 0xE0-0xFC, trails
// 0x40-0xFC.
inline constexpr int kCp932TrailCount = 0xFC - 0x40 + 1;
inline constexpr int kCp932LeadCount = 60;
extern const std::uint16_t kCp932SingleByte[256];
extern const std::uint16_t kCp932DoubleByte[kCp932LeadCount * kCp932TrailCount];

}  // namespace skimdex::helpc
