#pragma once

#include <windows.h>

#include "ui/dialog_base.h"

// The base of the program's OK/Cancel dialogs: a fixed dialog border, OK the default button (Enter),
// Cancel answering Esc and the close box, and the dialog centred on its owner's monitor whenever it is
// shown.
namespace skimdex {

class TOKBottomDlg : public DialogBase {
 protected:
  // Centres the dialog on `owner`'s monitor and shows it modally over `owner` until OK or Cancel.
  void ShowCentred(HWND owner);

  virtual void OKBtnClick() = 0;
  virtual void CancelBtnClick() = 0;

  // OK and Cancel: each runs its handler, and the button then ends the dialog whatever the handler did.
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace skimdex
