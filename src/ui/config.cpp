#include "ui/config.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "settings/settings.h"
#include "settings/store.h"
#include "text/directory.h"
#include "text/uncaught_error.h"
#include "text/unicode.h"
#include "text/wide.h"
#include "ui/config_resource.h"
#include "ui/dpi.h"
#include "ui/field_rules.h"
#include "ui/folder_sources.h"
#include "ui/gui_handles.h"
#include "ui/hints.h"
#include "ui/layout.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

// Bounds in the dialog's client area at 96 dpi.
constexpr Placement kPlacements[] = {
    {IDC_CONFIG_BEVEL1, 16, 8, 361, 145},
    {IDC_CONFIG_LABEL1, 32, 16, 0, 0},
    {IDC_CONFIG_EDIT1, 24, 32, 297, 20},
    {IDC_CONFIG_SPEEDBUTTON1, 336, 32, 23, 22},
    {IDC_CONFIG_LABEL2, 32, 56, 0, 0},
    {IDC_CONFIG_EDIT2, 24, 72, 297, 20},
    {IDC_CONFIG_SPEEDBUTTON2, 336, 72, 23, 22},
    {IDC_CONFIG_LABEL3, 32, 104, 0, 0},
    {IDC_CONFIG_SPINEDIT1, 24, 120, 41, 21},
    {IDOK, 142, 164, 75, 25},
    {IDCANCEL, 222, 164, 75, 25},
    {IDC_CONFIG_HELPBTN, 302, 164, 75, 25},
};
constexpr int kSpinButtonsWidth = 15;
constexpr int kClientWidth = 388;
constexpr int kClientHeight = 197;

// 参照
constexpr char kBrowseHint[] = "\x8E\x51\x8F\xC6";
// スキャンの深さ(1-10)
constexpr char kDepthHint[] = "\x83\x58\x83\x4C\x83\x83\x83\x93\x82\xCC\x90\x5B\x82\xB3(1-10)";

// フォルダ「<name>」が見つかりません。
constexpr char kMissingFolderBefore[] = "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x75";
constexpr char kMissingFolderAfter[] =
    "\x81\x76\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";

constexpr UINT_PTR kSubclassId = 1;

// Notes in `focus_before` the window that had the focus before a click gave it to the button; a
// button reached with Tab keeps the focus.
LRESULT CALLBACK RecordFocusBefore(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR focus_before) {
  if (message == WM_LBUTTONDOWN && GetFocus() != button) *reinterpret_cast<HWND*>(focus_before) = GetFocus();
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

void TConfigration::Create(HINSTANCE instance, ConfigHost& host) {
  host_ = &host;
  // A Unicode dialog: its fields show and take every character of a name.
  Created(CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_CONFIG), host.Owner(), DialogBase::Procedure,
                             reinterpret_cast<LPARAM>(this)));
}

void TConfigration::ShowModal() {
  // The main window may have moved to a screen of another DPI since the dialog was made.
  if (const int dpi = WindowDpi(host_->Owner()); dpi != dpi_) PlaceControls(dpi);
  ShowCentred(host_->Owner());
}

INT_PTR TConfigration::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SpinEdit1.Attach(GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1),
                       GetDlgItem(Handle(), IDC_CONFIG_SPINEDIT1_BUTTONS));
      PlaceControls(WindowDpi(Handle()));
      RegisterHints();
      KeepFocusOffSpeedButtons();
      FormCreate();
      return TRUE;
    case WM_DPICHANGED:
      PlaceControls(HIWORD(wparam));
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code != UDN_DELTAPOS) break;
      // The depth field steps itself; the up-down's own position never moves.
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
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

void TConfigration::PlaceControls(int dpi) {
  dpi_ = dpi;
  skimdex::PlaceControls(Handle(), kPlacements, dpi);
  SpinEdit1.PlaceSpin(ScaleForDpi(kSpinButtonsWidth, dpi));
  SizeClientArea(Handle(), kClientWidth, kClientHeight, dpi);
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
  const HWND focus_before = std::exchange(focus_before_speed_button_, nullptr);
  if (!IsChild(Handle(), focus_before)) return;
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_before), TRUE);
}

void TConfigration::FormCreate() {
  SetNameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT1), Current_path);
  SetNameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT2), save_file_name);
  SpinEdit1.SetValue(folder_level);
  FolderDialog1.Folder = ReadStoredSeekFolder();
}

bool TConfigration::ChangeScanFolder(const std::string& folder) {
  if (!IsExistingFolder(folder)) {
    const std::string text = FromCp932(kMissingFolderBefore) + folder + FromCp932(kMissingFolderAfter);
    MessageBoxW(host_->Owner(), Wide(text).c_str(), Wide(ApplicationTitle()).c_str(), MB_OK | MB_ICONWARNING);
    return false;
  }
  SetScanFolder(folder);
  SetNameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT1), folder);
  // The folder browser opens on it next time, wherever it came from.
  FolderDialog1.Folder = folder;
  host_->ShowNotice(FromCp932(kScanFolderNotice) + folder);
  return true;
}

void TConfigration::OKBtnClick() {
  Current_path = FullScanFolder(WithoutTrailingSeparator(NameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT1))));
  save_file_name = NameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT2));
  folder_level = SpinEdit1.Value();
  SaveConfig();
}

void TConfigration::CancelBtnClick() {}

void TConfigration::SpeedButton1Click() {
  // No run and no close may start beneath the browser, also when it was opened with this dialog hidden.
  const DisabledWhile owner_disabled(host_->Owner());
  if (FolderDialog1.Execute(Handle())) ChangeScanFolder(FolderDialog1.Folder);
}

// The save dialog opens over this dialog, which it keeps from input while it is shown.
void TConfigration::SpeedButton2Click() {
  if (!host_->FileSave(Handle())) return;
  SetNameText(GetDlgItem(Handle(), IDC_CONFIG_EDIT2), JoinedSavePath(save_file_path, save_file_name));
}

void TConfigration::HelpBtnClick() { host_->ShowHelp(HelpTopic::ConfigDialog); }

}  // namespace skimdex
