#include "ui/status_line.h"

#include <commctrl.h>

#include "text/wide.h"
#include "ui/dialog_base.h"
#include "ui/dpi.h"
#include "ui/hint_registry.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

// At 96 dpi.
constexpr int kHeight = 23;
constexpr int kPanelWidth = 50;

// While the status line shows a hint, the pointer is looked for this often: a pointer that has left
// every window of the program takes the hint with it.
constexpr UINT kHintInterval = 200;  // milliseconds

bool PointerOverProgram() {
  POINT pointer;
  if (!GetCursorPos(&pointer)) return false;
  DWORD process = 0;
  const HWND window = WindowFromPoint(pointer);
  return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

}  // namespace

void StatusLine::Create(HWND parent, int id) {
  parent_ = parent;
  status_ =
      Created(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
  SendMessageW(status_, SB_SIMPLE, TRUE, 0);
}

void StatusLine::ApplyDpi(HFONT font, int dpi) {
  const int parts[] = {ScaleForDpi(kPanelWidth, dpi)};
  SendMessageW(status_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SizeToDesign(dpi);
}

// The status line adds its borders to the minimum height it is given; the second try takes off what
// the first one measured too much.
void StatusLine::SizeToDesign(int dpi) {
  const int wanted = ScaleForDpi(kHeight, dpi);
  int minimum = wanted;
  for (int attempt = 0; attempt < 2; ++attempt) {
    SendMessageW(status_, SB_SETMINHEIGHT, minimum, 0);
    OnParentSized();
    RECT bounds;
    GetWindowRect(status_, &bounds);
    minimum += wanted - (bounds.bottom - bounds.top);
  }
}

void StatusLine::OnParentSized() { SendMessageW(status_, WM_SIZE, 0, 0); }

void StatusLine::ShowHint(const std::string& hint) {
  SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(WideFromCp932(hint).c_str()));
  if (hint.empty()) {
    KillTimer(parent_, hint_timer_);
  } else {
    SetTimer(parent_, hint_timer_, kHintInterval, nullptr);
  }
}

void StatusLine::ShowNotice(const std::string& notice) {
  SetApplicationHint({});
  SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Wide(notice).c_str()));
}

void StatusLine::OnHintTimer() {
  if (!PointerOverProgram()) SetApplicationHint({});
}

}  // namespace skimdex
