#include "ui/ok_cancel.h"

#include "ui/modal.h"
#include "ui/window_placement.h"

namespace skimdex {
namespace {

// Ends the modal show when dropped, so a button closes its dialog even when its handler fails.
class ModalEnd {
 public:
  explicit ModalEnd(HWND dialog) : dialog_(dialog) {}
  ModalEnd(const ModalEnd&) = delete;
  ModalEnd& operator=(const ModalEnd&) = delete;
  ~ModalEnd() { EndModal(dialog_); }

 private:
  HWND dialog_;
};

}  // namespace

void TOKBottomDlg::ShowCentred(HWND owner) {
  CentreOnOwnersMonitor(Handle(), owner);
  ShowModal(Handle(), owner);
}

INT_PTR TOKBottomDlg::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return FALSE;
  const int button = LOWORD(wparam);
  if (button != IDOK && button != IDCANCEL) return FALSE;
  const ModalEnd end(Handle());
  if (button == IDOK)
    OKBtnClick();
  else
    CancelBtnClick();
  return TRUE;
}

}  // namespace skimdex
