#pragma once

#include <cstdint>
#include <string>

namespace skimdex::helpc {

// Little-endian integers appended to and patched into byte strings.
inline void AppendU8(std::string& out, std::uint32_t value) { out += static_cast<char>(value & 0xFF); }
inline void AppendU16(std::string& out, std::uint32_t value) {
  AppendU8(out, value);
  AppendU8(out, value >> 8);
}
inline void AppendU32(std::string& out, std::uint32_t value) {
  AppendU16(out, value & 0xFFFF);
  AppendU16(out, value >> 16);
}
inline void PutU16(std::string& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}
inline void AppendStringZ(std::string& out, const std::string& text) {
  out.append(text.c_str(), text.size() + 1);
}

}  // namespace skimdex::helpc
