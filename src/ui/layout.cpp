#include "ui/layout.h"

#include <string>

#include "ui/dpi_rules.h"
#include "ui/gui_handles.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

SIZE TextSize(HWND control) {
  const WindowDc dc(control);
  const Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  const std::string text = WindowText(control);
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

void PlaceControls(HWND parent, std::span<const Placement> placements, int dpi) {
  for (const Placement& placement : placements) {
    const HWND control = GetDlgItem(parent, placement.id);
    SIZE size{ScaleForDpi(placement.width, dpi), ScaleForDpi(placement.height, dpi)};
    if (placement.width == 0) size = TextSize(control);
    MoveWindow(control, ScaleForDpi(placement.left, dpi), ScaleForDpi(placement.top, dpi), size.cx, size.cy,
               TRUE);
  }
}

void SizeClientArea(HWND window, int width, int height, int dpi) {
  RECT frame{0, 0, ScaleForDpi(width, dpi), ScaleForDpi(height, dpi)};
  AdjustWindowRectEx(&frame, GetWindowLongA(window, GWL_STYLE), GetMenu(window) != nullptr,
                     GetWindowLongA(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace skimdex
