#include "ui/dialog_base.h"

#include <exception>
#include <string>

#include "text/exception.h"
#include "text/uncaught_error.h"

namespace skimdex {
namespace {

// ウインドウを作成できませんでした (エラー
constexpr char kNotCreated[] =
    "\x83\x45\x83\x43\x83\x93\x83\x68\x83\x45\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD (\x83\x47\x83\x89\x81\x5B ";
}  // namespace

HWND Created(HWND window) {
  if (!window) throw Exception(kNotCreated + std::to_string(GetLastError()) + ")");
  return window;
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    ShowUncaughtError(std::current_exception());
    return 0;
  }
}

INT_PTR CALLBACK DialogBase::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lparam);
    self->handle_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
  }
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    ShowUncaughtError(std::current_exception());
    return message == WM_INITDIALOG;
  }
}

}  // namespace skimdex
