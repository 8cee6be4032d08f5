#pragma once

#include <windows.h>

#include <span>

// The program's windows are laid out in pixels of their 96-dpi design, scaled to the DPI they show at.
namespace skimdex {

// A control's designed bounds in its parent's client area; a zero width takes the size of its text.
struct Placement {
  int id;
  int left, top, width, height;
};

// Moves each control of `parent` named in `placements` to its scaled bounds.
void PlaceControls(HWND parent, std::span<const Placement> placements, int dpi);

// Sizes `window` so that its client area is the designed `width` by `height`, scaled.
void SizeClientArea(HWND window, int width, int height, int dpi);

}  // namespace skimdex
