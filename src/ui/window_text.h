#pragma once

#include <windows.h>

#include <string>

namespace skimdex {

// The whole text of a window or control, as code page 932 bytes.
inline std::string WindowText(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace skimdex
