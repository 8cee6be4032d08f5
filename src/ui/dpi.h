#pragma once

#include <windows.h>

#include "ui/dpi_rules.h"
#include "ui/gui_handles.h"

// The DPI the program draws for, and the design's font at it. Every window scales its design with
// ScaleForDpi when it is made, on WM_DPICHANGED and when it is shown.
namespace skimdex {

// The DPI of the screen, before any window exists.
int SystemDpi();
// The DPI of `window`'s monitor where the system reports one per window, else the screen's.
int WindowDpi(HWND window);

// The design's face "ＭＳ Ｐゴシック" in the Shift_JIS character set, with a character height of
// `pixels` at 96 dpi scaled to `dpi`.
ScopedFont DesignFont(int pixels, int dpi, int weight = FW_NORMAL, bool italic = false,
                      bool underline = false);

}  // namespace skimdex
