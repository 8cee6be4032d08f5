#include "ui/dialog_base.h"

#include <exception>

#include "text/uncaught_error.h"

namespace skimdex {

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    ShowUncaughtError(error);
    return 0;
  }
}

INT_PTR CALLBACK DialogBase::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lparam);
    self->handle_ = dialog;
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  }
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    ShowUncaughtError(error);
    return message == WM_INITDIALOG;
  }
}

}  // namespace skimdex
