#pragma once

#include <windows.h>

#include "ui/dialog_base.h"
#include "ui/gui_handles.h"

namespace skimdex {

// The about box: product name, version, home page address and copyright line. Made once, hidden,
// at start-up and shown modally over the main window.
class TAboutBox final : public DialogBase {
 public:
  void Create(HINSTANCE instance, HWND owner);
  // Centred on the main window's monitor, until OK or the close box.
  void ShowModal();

  using DialogBase::Handle;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void ApplyDpi();
  void PlaceControls();
  void OnPaint();
  INT_PTR OnControlColour(HDC dc, HWND control);
  void HomeURLClick();
  int Scaled(int length) const;

  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  int dpi_ = 96;
  ScopedFont font_;
  ScopedFont product_font_;
  ScopedFont version_font_;
  ScopedFont home_font_;
  ScopedFont copyright_font_;
  ScopedIcon icon_;
};

}  // namespace skimdex
