#pragma once

// Where a window goes on a monitor, free of the system.
namespace skimdex {

// A rectangle on the screen, in pixels.
struct ScreenBox {
  int left, top, width, height;
  bool operator==(const ScreenBox&) const = default;
};

// `window` moved into `area` as close to where it was as fits: its size kept, shrunk to the area's where
// larger, and the `designed` width or height in place of one below 1.
ScreenBox FittedInto(const ScreenBox& window, const ScreenBox& area, const ScreenBox& designed);

// `window` with its size kept and its middle on the middle of `area`, the work area of its owner's
// monitor, whichever monitor that is.
ScreenBox CentredIn(const ScreenBox& window, const ScreenBox& area);

}  // namespace skimdex
