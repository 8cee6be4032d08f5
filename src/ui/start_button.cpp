#include "ui/start_button.h"

#include <commctrl.h>

#include "index/run.h"
#include "ui/dialog_base.h"
#include "ui/window_text.h"

namespace skimdex {

void StartButton::Create(HWND parent, int id) {
  button_ = Created(CreateWindowExW(0, L"BUTTON", WideFromCp932(kCaptionStart).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
  SetWindowSubclass(button_, Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK StartButton::Procedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                        DWORD_PTR self) {
  bool& second_click = reinterpret_cast<StartButton*>(self)->second_click_;
  if (message == WM_LBUTTONDBLCLK) second_click = true;
  const LRESULT result = DefSubclassProc(button, message, wparam, lparam);
  if (message == WM_LBUTTONUP) second_click = false;
  return result;
}

}  // namespace skimdex
