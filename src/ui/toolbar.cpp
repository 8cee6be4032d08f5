#include "ui/toolbar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/dialog_base.h"
#include "ui/dpi.h"
#include "ui/hint_registry.h"
#include "ui/layout.h"
#include "ui/resource.h"

namespace skimdex {
namespace {

constexpr int kPanelHeight = 33;  // at 96 dpi

int GlyphStripFor(int glyph_size) {
  return glyph_size == 32 ? IDB_GLYPHS_32 : glyph_size == 24 ? IDB_GLYPHS_24 : IDB_GLYPHS_16;
}

}  // namespace

void Toolbar::Create(HWND parent) {
  parent_ = parent;
  for (const ToolbarButton& button : ToolbarButtons()) {
    const HWND control = Created(
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.command)), nullptr, nullptr));
    buttons_[button.glyph] = control;
    RegisterHint(control, button.hint, true);
  }
}

void Toolbar::ApplyDpi(HINSTANCE instance, int dpi) {
  dpi_ = dpi;
  glyph_size_ = GlyphSizeFor(dpi);
  glyphs_ = ScopedImageList(ImageList_LoadImageW(instance, MAKEINTRESOURCEW(GlyphStripFor(glyph_size_)),
                                                 glyph_size_, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                                 LR_CREATEDIBSECTION));
  std::vector<Placement> placements;
  for (const ToolbarButton& button : ToolbarButtons()) {
    placements.push_back(
        {button.command, button.left, kToolbarButtonTop, button.width, kToolbarButtonHeight});
  }
  PlaceControls(parent_, placements, dpi);
}

int Toolbar::PaintPanel(HDC dc, int width) const {
  RECT panel{0, 0, width, ScaleForDpi(kPanelHeight, dpi_)};
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
  return panel.bottom;
}

void Toolbar::DrawButton(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_BUTTON) return;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  RECT face = item.rcItem;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int glyph =
      static_cast<int>(std::find(buttons_.begin(), buttons_.end(), item.hwndItem) - buttons_.begin());
  const int shift = pressed ? 1 : 0;
  const int x = (item.rcItem.right - item.rcItem.left - glyph_size_) / 2 + shift;
  const int y = (item.rcItem.bottom - item.rcItem.top - glyph_size_) / 2 + shift;
  ImageList_Draw(glyphs_.get(), glyph + (disabled ? kGlyphCount : 0), item.hDC, x, y, ILD_TRANSPARENT);
}

}  // namespace skimdex
