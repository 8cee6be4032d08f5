#pragma once

#include <windows.h>

#include <string>

#include "text/unicode.h"
#include "text/wide.h"

namespace skimdex {

// The whole text of a window or control, as code page 932 bytes: captions and hints.
inline std::string WindowText(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

// A text of the design, in code page 932, as the Unicode text the system takes: captions and hints.
inline std::wstring WideFromCp932(std::string_view text) { return Wide(FromCp932(text)); }
inline void SetCp932Text(HWND window, std::string_view text) {
  SetWindowTextW(window, WideFromCp932(text).c_str());
}

// The whole text of a Unicode control, in UTF-8: names of folders and files.
inline std::string NameText(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return Narrow(text);
}

inline void SetNameText(HWND window, const std::string& name) { SetWindowTextW(window, Wide(name).c_str()); }

}  // namespace skimdex
