#pragma once

#include <windows.h>

// The main window's Start button, whose caption is the run's state. It tells when a press is the
// second click of a double-click: the button class takes double-clicks, so the system sends that
// press as WM_LBUTTONDBLCLK, and the button's click follows on the release.
namespace skimdex {

class StartButton {
 public:
  void Create(HWND parent, int id);
  HWND Handle() const { return button_; }
  // The press under way is a double-click's second click.
  bool SecondClick() const { return second_click_; }

 private:
  static LRESULT CALLBACK Procedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR self);

  HWND button_ = nullptr;
  bool second_click_ = false;
};

}  // namespace skimdex
