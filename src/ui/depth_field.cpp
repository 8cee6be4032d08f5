#include "ui/depth_field.h"

#include <commctrl.h>
#include <windowsx.h>

#include <exception>
#include <string>

#include "text/uncaught_error.h"
#include "ui/field_rules.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kRepeatTimer = 0x5D1;  // apart from the up-down's own timer ids
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatInterval = 100;

char LocaleDecimalSeparator() {
  char separator[4] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 0 ? separator[0]
                                                                                               : '.';
}

// A subclass procedure is a window procedure of its own: an exception stops here, as in the dialog's.
template <typename Handler>
LRESULT Guarded(Handler handler) {
  try {
    return handler();
  } catch (const std::exception& error) {
    ShowUncaughtError(error);
    return 0;
  }
}

bool IsEnterKeyDown(LPARAM message) {
  const auto* msg = reinterpret_cast<const MSG*>(message);
  return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
}

}  // namespace

void DepthField::Attach(HWND edit, HWND spin) {
  edit_ = edit;
  spin_ = spin;
  decimal_separator_ = LocaleDecimalSeparator();
  SendMessageA(edit_, EM_LIMITTEXT, kDepthMaxLength, 0);
  // A fixed range with the position kept in its middle: the steps are this field's own.
  SendMessageA(spin_, UDM_SETRANGE32, 0, 2);
  SendMessageA(spin_, UDM_SETPOS32, 0, 1);
  SetWindowSubclass(edit_, EditProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(spin_, SpinProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void DepthField::PlaceSpin(int spin_width) {
  RECT bounds;
  GetWindowRect(edit_, &bounds);
  SetWindowPos(spin_, nullptr, 0, 0, spin_width, bounds.bottom - bounds.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // UDS_ALIGNRIGHT: the buttons take the right end of the edit's bounds.
  SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
}

std::int32_t DepthField::Value() const { return DepthValue(WindowText(edit_)); }

void DepthField::SetValue(std::int32_t value) { SetWindowTextA(edit_, DepthText(value).c_str()); }

void DepthField::OnFocusLost() {
  const std::string text = WindowText(edit_);
  const std::string shown = DepthTextOnExit(text);
  if (shown != text) SetWindowTextA(edit_, shown.c_str());
}

void DepthField::Step(int delta) {
  SetWindowTextA(edit_, SteppedDepthText(WindowText(edit_), delta).c_str());
}

int DepthField::ButtonAt(POINT point) const {
  RECT client;
  GetClientRect(spin_, &client);
  if (!PtInRect(&client, point)) return 0;
  return point.y < client.bottom / 2 ? +1 : -1;
}

int DepthField::ButtonUnderPointer() const {
  POINT pointer;
  GetCursorPos(&pointer);
  ScreenToClient(spin_, &pointer);
  return ButtonAt(pointer);
}

LRESULT CALLBACK DepthField::EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) {
  return Guarded([&] { return reinterpret_cast<DepthField*>(self)->EditMessage(message, wparam, lparam); });
}

LRESULT CALLBACK DepthField::SpinProcedure(HWND spin, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                           DWORD_PTR self) {
  return Guarded([&] { return reinterpret_cast<DepthField*>(self)->SpinMessage(message, wparam, lparam); });
}

LRESULT DepthField::EditMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      // The field takes Enter itself and refuses it, so Enter here never presses the default button.
      return DefSubclassProc(edit_, message, wparam, lparam) |
             (IsEnterKeyDown(lparam) ? DLGC_WANTALLKEYS : 0);
    case WM_KEYDOWN:
      // The edit's own Enter handling would move to the default button and press it.
      if (wparam == VK_RETURN) return 0;
      if (wparam != VK_UP && wparam != VK_DOWN) break;
      Step(wparam == VK_UP ? +1 : -1);
      return 0;
    case WM_CHAR:
      if (wparam <= 0xFF && IsDepthKeyAccepted(static_cast<char>(wparam), decimal_separator_)) break;
      MessageBeep(0);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit_, EditProcedure, kSubclassId);
      break;
  }
  return DefSubclassProc(edit_, message, wparam, lparam);
}

LRESULT DepthField::SpinMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The up-down shows the pressed button and holds the mouse; its own steps are refused by the dialog.
      const LRESULT result = DefSubclassProc(spin_, message, wparam, lparam);
      held_delta_ = ButtonAt({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      SetFocus(edit_);
      if (held_delta_ == 0) return result;
      Step(held_delta_);
      SetTimer(spin_, kRepeatTimer, kFirstRepeatDelay, nullptr);
      return result;
    }
    case WM_TIMER:
      if (wparam != kRepeatTimer) break;
      if (ButtonUnderPointer() == held_delta_) Step(held_delta_);
      SetTimer(spin_, kRepeatTimer, kRepeatInterval, nullptr);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      KillTimer(spin_, kRepeatTimer);
      held_delta_ = 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(spin_, SpinProcedure, kSubclassId);
      break;
  }
  return DefSubclassProc(spin_, message, wparam, lparam);
}

}  // namespace skimdex
