#include "ui/config.h"

#include <commctrl.h>

#include <string>

#include "settings/settings.h"
#include "settings/store.h"
#include "ui/config_resource.h"
#include "ui/dpi.h"
#include "ui/field_rules.h"
#include "ui/gui_handles.h"
#include "ui/hints.h"
#include "ui/main_form.h"
#include "ui/main_form_rules.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

// Bounds in the dialog's client area at 96 dpi; a zero size takes the size of the control's text.
struct Placement {
  int id;
  int left, top, width, height;
};
constexpr Placement kPlacements[] = {
    {IDC_CONFIG_BEVEL1, 16, 8, 361, 145},
    {IDC_CONFIG_LABEL1, 32, 16, 0, 0},
    {IDC_CONFIG_EDIT1, 24, 32, 297, 20},
    {IDC_CONFIG_SPEEDBUTTON1, 336, 32, 23, 22},
    {IDC_CONFIG_LABEL2, 32, 56, 0, 0},
    {IDC_CONFIG_EDIT2, 24, 72, 297, 20},
    {IDC_CONFIG_SPEEDBUTTON2, 336, 72, 23, 22},
    {IDC_CONFIG_LABEL3, 32, 104, 0, 0},
    {IDOK, 142, 164, 75, 25},
    {IDCANCEL, 222, 164, 75, 25},
    {IDC_CONFIG_HELPBTN, 302, 164, 75, 25},
};
constexpr Placement kSpinEdit1 = {IDC_CONFIG_SPINEDIT1, 24, 120, 41, 21};
constexpr int kSpinButtonsWidth = 15;
constexpr int kClientWidth = 388;
constexpr int kClientHeight = 197;

// 参照
constexpr char kBrowseHint[] = "\x8E\x51\x8F\xC6";
// スキャンの深さ(1-10)
constexpr char kDepthHint[] = "\x83\x58\x83\x4C\x83\x83\x83\x93\x82\xCC\x90\x5B\x82\xB3(1-10)";

SIZE TextSize(HWND control) {
  const WindowDc dc(control);
  const Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  const std::string text = WindowText(control);
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

RECT ScaledBounds(const Placement& placement, int dpi) {
  const int left = ScaleForDpi(placement.left, dpi);
  const int top = ScaleForDpi(placement.top, dpi);
  return {left, top, left + ScaleForDpi(placement.width, dpi), top + ScaleForDpi(placement.height, dpi)};
}

constexpr UINT_PTR kSubclassId = 1;

// Notes in `focus_before` the window that had the focus before the button took it.
LRESULT CALLBACK RecordFocusBefore(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR focus_before) {
  if (message == WM_SETFOCUS) *reinterpret_cast<HWND*>(focus_before) = reinterpret_cast<HWND>(wparam);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, RecordFocusBefore, kSubclassId);
  return DefSubclassProc(button, message, wparam, lparam);
}

// Keeps a window disabled for one scope. A window that was disabled already, as the main window is
// while this dialog is shown, stays disabled; one that was enabled gets its input and activation back.
class DisabledWhile {
 public:
  explicit DisabledWhile(HWND window) : window_(window), was_enabled_(!EnableWindow(window, FALSE)) {}
  DisabledWhile(const DisabledWhile&) = delete;
  DisabledWhile& operator=(const DisabledWhile&) = delete;
  ~DisabledWhile() {
    if (!was_enabled_) return;
    EnableWindow(window_, TRUE);
    SetForegroundWindow(window_);
  }

 private:
  HWND window_;
  bool was_enabled_;
};

}  // namespace

void TConfigration::Create(HINSTANCE instance, TMainForm& main) {
  main_ = &main;
  CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), main.Handle(), DialogBase::Procedure,
                     reinterpret_cast<LPARAM>(this));
}

void TConfigration::ShowModal() { ShowCentred(main_->Handle()); }

INT_PTR TConfigration::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SpinEdit1.Attach(GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1),
                       GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1_BUTTONS));
      PlaceControls();
      RegisterHints();
      KeepFocusOffSpeedButtons();
      FormCreate();
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code != UDN_DELTAPOS) break;
      // The depth field steps itself; the up-down's own position never moves.
      SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDC_CONFIG_SPINEDIT1 && HIWORD(wparam) == EN_KILLFOCUS) {
        SpinEdit1.OnFocusLost();
        return TRUE;
      }
      if (HIWORD(wparam) != BN_CLICKED) break;
      switch (LOWORD(wparam)) {
        case IDC_CONFIG_SPEEDBUTTON1:
          ReturnFocusFromSpeedButton();
          SpeedButton1Click();
          return TRUE;
        case IDC_CONFIG_SPEEDBUTTON2:
          ReturnFocusFromSpeedButton();
          SpeedButton2Click();
          return TRUE;
        case IDC_CONFIG_HELPBTN:
          HelpBtnClick();
          return TRUE;
      }
      break;
  }
  return TOKBottomDlg::HandleMessage(message, wparam, lparam);
}

void TConfigration::PlaceControls() {
  const int dpi = WindowDpi(Handle());
  for (const Placement& placement : kPlacements) {
    const HWND control = GetDlgItem(Handle(), placement.id);
    RECT bounds = ScaledBounds(placement, dpi);
    if (placement.width == 0) {
      const SIZE text = TextSize(control);
      bounds.right = bounds.left + text.cx;
      bounds.bottom = bounds.top + text.cy;
    }
    MoveWindow(control, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               FALSE);
  }
  SpinEdit1.Place(ScaledBounds(kSpinEdit1, dpi), ScaleForDpi(kSpinButtonsWidth, dpi));

  RECT frame = {0, 0, ScaleForDpi(kClientWidth, dpi), ScaleForDpi(kClientHeight, dpi)};
  AdjustWindowRectEx(&frame, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                     GetWindowLongA(Handle(), GWL_EXSTYLE));
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TConfigration::RegisterHints() {
  // The dialog shows no tooltips: its hints go to the main window's status line only.
  RegisterHint(GetDlgItem(Handle(), IDC_CONFIG_SPEEDBUTTON1), kBrowseHint, false);
  RegisterHint(GetDlgItem(Handle(), IDC_CONFIG_SPEEDBUTTON2), kBrowseHint, false);
  RegisterHint(GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1), kDepthHint, false);
  RegisterHint(GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1_BUTTONS), kDepthHint, false);
}

// The browse buttons act like tool buttons: a click leaves the focus where it was, so Enter keeps
// pressing OK afterwards.
void TConfigration::KeepFocusOffSpeedButtons() {
  for (const int id : {IDC_CONFIG_SPEEDBUTTON1, IDC_CONFIG_SPEEDBUTTON2}) {
    SetWindowSubclass(GetDlgItem(Handle(), id), RecordFocusBefore, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(&focus_before_speed_button_));
  }
}

void TConfigration::ReturnFocusFromSpeedButton() {
  if (!IsChild(Handle(), focus_before_speed_button_)) return;
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_before_speed_button_), TRUE);
}

void TConfigration::FormCreate() {
  SetDlgItemTextA(Handle(), IDC_CONFIG_EDIT1, Current_path.c_str());
  SetDlgItemTextA(Handle(), IDC_CONFIG_EDIT2, save_file_name.c_str());
  SpinEdit1.SetValue(folder_level);
  FolderDialog1.Folder = ReadStoredSeekFolder();
}

void TConfigration::OKBtnClick() {
  Current_path = WithoutTrailingSeparator(WindowText(GetDlgItem(Handle(), IDC_CONFIG_EDIT1)));
  save_file_name = WindowText(GetDlgItem(Handle(), IDC_CONFIG_EDIT2));
  folder_level = SpinEdit1.Value();
  SaveConfig();
}

void TConfigration::CancelBtnClick() {}

void TConfigration::SpeedButton1Click() {
  // No run and no close may start beneath the browser, also when it was opened with this dialog hidden.
  const DisabledWhile main_disabled(main_->Handle());
  if (!FolderDialog1.Execute(Handle())) return;
  SetScanFolder(FolderDialog1.Folder);
  SetDlgItemTextA(Handle(), IDC_CONFIG_EDIT1, Current_path.c_str());
}

void TConfigration::SpeedButton2Click() {
  bool confirmed = false;
  {
    // The save dialog belongs to the main window; this dialog takes no input beneath it either.
    const DisabledWhile dialog_disabled(Handle());
    confirmed = main_->FileSave();
  }
  if (!confirmed) return;
  SetDlgItemTextA(Handle(), IDC_CONFIG_EDIT2, JoinedSavePath(save_file_path, save_file_name).c_str());
}

void TConfigration::HelpBtnClick() { main_->ShowHelp(HelpTopic::ConfigDialog); }

}  // namespace skimdex
