#pragma once

#include <windows.h>

#include <array>

#include "ui/commands.h"
#include "ui/gui_handles.h"

// The main window's toolbar: the panel and its speed buttons, owner-drawn with the glyph strip drawn
// for the window's DPI.
namespace skimdex {

class Toolbar {
 public:
  // Makes the buttons on `parent`, each with its hint as tooltip and status line text.
  void Create(HWND parent);
  // Loads the glyphs drawn for `dpi` and moves the buttons to their scaled places.
  void ApplyDpi(HINSTANCE instance, int dpi);
  // The panel with its raised bevel across `width`; gives its bottom edge.
  int PaintPanel(HDC dc, int width) const;
  // A speed button: raised, sunk while pressed, its glyph centred and greyed when disabled.
  void DrawButton(const DRAWITEMSTRUCT& item) const;

 private:
  HWND parent_ = nullptr;
  std::array<HWND, kGlyphCount> buttons_{};  // by glyph
  ScopedImageList glyphs_;                   // normal glyphs, then their disabled twins
  int glyph_size_ = 16;
  int dpi_ = 96;
};

}  // namespace skimdex
