#include "ui/about_box.h"

#include <shellapi.h>

#include "ui/dpi.h"
#include "ui/layout.h"
#include "ui/modal.h"
#include "ui/resource.h"
#include "ui/window_placement.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 171;
constexpr RECT kPanel{8, 8, 8 + 289, 8 + 129};

// Designed places at 96 dpi, in the dialog's client area (the panel's items offset by its corner).
constexpr Placement kPlacements[] = {
    {IDC_ABOUT_ICON, 8 + 16, 8 + 16, 33, 33},      {IDC_ABOUT_PRODUCT, 8 + 80, 8 + 8, 142, 24},
    {IDC_ABOUT_VERSION, 8 + 88, 8 + 40, 105, 17},  {IDC_ABOUT_HOME, 8 + 56, 8 + 64, 186, 12},
    {IDC_ABOUT_COPYRIGHT, 8 + 8, 8 + 88, 273, 13}, {IDOK, 111, 140, 75, 25},
};

}  // namespace

void TAboutBox::Create(HINSTANCE instance, HWND owner) {
  instance_ = instance;
  owner_ = owner;
  dpi_ = WindowDpi(owner);
  Created(CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, DialogBase::Procedure,
                             reinterpret_cast<LPARAM>(this)));
}

void TAboutBox::ShowModal() {
  // The main window may have moved to a screen of another DPI since the box was made.
  if (const int dpi = WindowDpi(owner_); dpi != dpi_) {
    dpi_ = dpi;
    ApplyDpi();
  }
  CentreOnOwnersMonitor(Handle(), owner_);
  SetFocus(GetDlgItem(Handle(), IDOK));
  skimdex::ShowModal(Handle(), owner_);
}

INT_PTR TAboutBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      ApplyDpi();
      return TRUE;
    case WM_DPICHANGED:
      dpi_ = HIWORD(wparam);
      ApplyDpi();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndModal(Handle());
      } else if (LOWORD(wparam) == IDC_ABOUT_HOME && HIWORD(wparam) == STN_CLICKED) {
        HomeURLClick();
      }
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) != GetDlgItem(Handle(), IDC_ABOUT_HOME)) return FALSE;
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      return TRUE;
  }
  return FALSE;
}

// Fonts, icon and places from the 96-dpi design.
void TAboutBox::ApplyDpi() {
  font_ = DesignFont(12, dpi_);
  product_font_ = DesignFont(24, dpi_, FW_BOLD, true);
  version_font_ = DesignFont(15, dpi_);
  home_font_ = DesignFont(12, dpi_, FW_NORMAL, false, true);
  copyright_font_ = DesignFont(13, dpi_, FW_NORMAL, true);
  const int icon_size = Scaled(33);
  icon_ = ScopedIcon(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDI_SKIMDEX), IMAGE_ICON, icon_size, icon_size, 0)));
  SendDlgItemMessageW(Handle(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
  const std::pair<int, HFONT> fonts[] = {{IDC_ABOUT_PRODUCT, product_font_.get()},
                                         {IDC_ABOUT_VERSION, version_font_.get()},
                                         {IDC_ABOUT_HOME, home_font_.get()},
                                         {IDC_ABOUT_COPYRIGHT, copyright_font_.get()},
                                         {IDOK, font_.get()}};
  for (const auto& [id, font] : fonts) {
    SendDlgItemMessageW(Handle(), id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  PlaceControls();
}

void TAboutBox::PlaceControls() {
  SizeClientArea(Handle(), kClientWidth, kClientHeight, dpi_);
  skimdex::PlaceControls(Handle(), kPlacements, dpi_);
}

// Panel1: a raised inner and a lowered outer bevel around the product texts.
void TAboutBox::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel{Scaled(kPanel.left), Scaled(kPanel.top), Scaled(kPanel.right), Scaled(kPanel.bottom)};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
  EndPaint(Handle(), &paint);
}

// The home page address in link blue; the other texts as the dialog draws them.
INT_PTR TAboutBox::OnControlColour(HDC dc, HWND control) {
  if (control != GetDlgItem(Handle(), IDC_ABOUT_HOME)) return FALSE;
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void TAboutBox::HomeURLClick() {
  const std::string address = WindowText(GetDlgItem(Handle(), IDC_ABOUT_HOME));
  ShellExecuteW(Handle(), L"open", WideFromCp932(address).c_str(), L"", L"", SW_SHOW);
}

int TAboutBox::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

}  // namespace skimdex
