#pragma once

#include <string>

// The main window's decisions, free of the window itself.
namespace skimdex {

enum class StartAction { CloseProgram, Run };

// What a click on the Start button does for its caption, the run's only state: "Finish" (exactly)
// closes the program, anything else runs.
StartAction StartClickAction(const std::string& caption);

// The two settings a confirmed save dialog choice gives.
struct SaveChoice {
  std::string save_file_name;  // the chosen file's bare name
  std::string save_file_path;  // its folder, without the "\" unless a root
};
SaveChoice SaveChoiceOf(const std::string& chosen_path);

// A rectangle on the screen, in pixels.
struct ScreenBox {
  int left, top, width, height;
  bool operator==(const ScreenBox&) const = default;
};

// `window` moved into `area` as close to where it was as fits: its size kept, shrunk to the area's where
// larger, and the `designed` width or height in place of one below 1.
ScreenBox FittedInto(const ScreenBox& window, const ScreenBox& area, const ScreenBox& designed);

// A length of the 96-dpi design at `dpi`, rounded to the nearest pixel (halves away from zero).
int ScaleForDpi(int length, int dpi);

// The largest glyph size drawn (16, 24 or 32) that fits the design's 16 pixels scaled to `dpi`;
// glyphs are always drawn at a drawn size, never stretched, so they stay crisp.
int GlyphSizeFor(int dpi);

}  // namespace skimdex
