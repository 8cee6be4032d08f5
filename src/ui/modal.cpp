#include "ui/modal.h"

#include "ui/hint_registry.h"
#include "ui/window_run.h"

namespace skimdex {
namespace {

constexpr char kOwnerProperty[] = "SkimdexModalOwner";

}  // namespace

void ShowModal(HWND dialog, HWND owner) {
  // A dialog that could not be made shows nothing and never leaves its owner disabled.
  if (!IsWindow(dialog)) return;
  SetPropA(dialog, kOwnerProperty, owner);
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG message;
  while (IsWindow(dialog) && IsWindowVisible(dialog)) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      EndModal(dialog);
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TrackHint(message);
    if (InputGateDrops(message) || IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (!IsWindow(dialog)) EnableWindow(owner, TRUE);  // destroyed while shown
}

void EndModal(HWND dialog) {
  if (HWND owner = static_cast<HWND>(RemovePropA(dialog, kOwnerProperty))) EnableWindow(owner, TRUE);
  ShowWindow(dialog, SW_HIDE);
}

}  // namespace skimdex
