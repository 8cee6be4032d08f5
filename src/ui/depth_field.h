#pragma once

#include <windows.h>

#include <cstdint>

// The folder depth field: an edit with an up-down beside it. Keys are filtered, the arrow keys and the
// spin buttons step the value within 1 to 10 (holding a button repeats after 400 ms, then every
// 100 ms), and leaving the field clamps an integer that lies outside the range.
namespace skimdex {

class DepthField {
 public:
  DepthField() = default;
  DepthField(const DepthField&) = delete;
  DepthField& operator=(const DepthField&) = delete;

  // Takes over the dialog's edit and up-down, which must outlive this object's use of them.
  void Attach(HWND edit, HWND spin);
  // Puts the spin buttons inside the right end of the edit, where the dialog has placed it.
  void PlaceSpin(int spin_width);

  // ParseInteger of the text, 1 for a text that is not an integer; not clamped.
  std::int32_t Value() const;
  // Shows `value` clamped to 1 to 10.
  void SetValue(std::int32_t value);
  // The dialog's EN_KILLFOCUS of the edit.
  void OnFocusLost();

 private:
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);
  static LRESULT CALLBACK SpinProcedure(HWND spin, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                        DWORD_PTR self);
  LRESULT EditMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT SpinMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Step(int delta);
  // +1 for the up button, -1 for the down button, 0 for neither.
  int ButtonAt(POINT point) const;
  int ButtonUnderPointer() const;

  HWND edit_ = nullptr;
  HWND spin_ = nullptr;
  char decimal_separator_ = '.';
  int held_delta_ = 0;  // +1 or -1 while a spin button is held with the mouse
};

}  // namespace skimdex
