#pragma once

#include <windows.h>

// The pointer moved to `screen` (and `flags`, such as a button going down) as real input, for the
// driver and for drag_files, which runs as a program of its own.
namespace skimdex::gui {

inline void SendMouse(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace skimdex::gui
