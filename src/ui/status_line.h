#pragma once

#include <windows.h>

#include <string>

// The main window's status line: one panel showing the hint of the control or menu item under the
// pointer, emptied once the pointer has left every window of the program.
namespace skimdex {

class StatusLine {
 public:
  // `hint_timer`: the parent's timer that looks for the pointer while a hint shows.
  explicit StatusLine(UINT_PTR hint_timer) : hint_timer_(hint_timer) {}
  void Create(HWND parent, int id);
  HWND Handle() const { return status_; }
  // The panel, the font and the design's height at `dpi`.
  void ApplyDpi(HFONT font, int dpi);
  // Follows its parent's width.
  void OnParentSized();
  void ShowHint(const std::string& hint);
  // UTF-8 text that stays when the pointer leaves: only the next hint replaces it.
  void ShowNotice(const std::string& notice);
  void OnHintTimer();

 private:
  void SizeToDesign(int dpi);

  UINT_PTR hint_timer_;
  HWND parent_ = nullptr;
  HWND status_ = nullptr;
};

}  // namespace skimdex
