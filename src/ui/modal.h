#pragma once

#include <windows.h>

// Modal showing of the program's dialogs, which are made once and only shown and hidden afterwards.
namespace skimdex {

// Disables `owner`, shows `dialog` where it stands (the caller positions it) and runs a nested
// message loop until the dialog is hidden. A quit request met in that loop ends the show and is
// posted again for the outer loop.
void ShowModal(HWND dialog, HWND owner);

// Ends the modal show of `dialog`: re-enables its owner first, so the focus returns there, then
// hides the dialog.
void EndModal(HWND dialog);

}  // namespace skimdex
