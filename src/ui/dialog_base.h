#pragma once

#include <windows.h>

// Windows and dialogs made once and kept for the program's life. Each kind is a class deriving from
// one of these bases; the base's static procedure finds the object and hands every message to it.
// That procedure is the one place where a handler's exception stops, whatever was thrown: it is shown
// by ShowUncaughtError and the program goes on, so no exception ever crosses into the system.
namespace skimdex {

// A window of a Unicode class registered with WindowBase::Procedure; pass `this` as CreateWindowExW's
// last argument.
class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase() = default;

  HWND Handle() const { return handle_; }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // The message's result; messages a window does not handle go to DefaultHandling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(handle_, message, wparam, lparam);
  }

 private:
  HWND handle_ = nullptr;
};

// A modeless dialog made by CreateDialogParamW with DialogBase::Procedure and `this` as its
// parameter.
class DialogBase {
 public:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  virtual ~DialogBase() = default;

  HWND Handle() const { return handle_; }

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // TRUE when the message was handled, as a dialog procedure answers (results through
  // DWLP_MSGRESULT); WM_INITDIALOG arrives here after the handle is set.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

 private:
  HWND handle_ = nullptr;
};

// `window` when it was made; otherwise throws, so that the program ends with the general error report
// instead of going on without that window.
HWND Created(HWND window);

}  // namespace skimdex
