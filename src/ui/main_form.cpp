#include "ui/main_form.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "settings/settings.h"
#include "settings/store.h"
#include "text/uncaught_error.h"
#include "text/wide.h"
#include "ui/about_box.h"
#include "ui/dpi.h"
#include "ui/hint_registry.h"
#include "ui/layout.h"
#include "ui/main_form_rules.h"
#include "ui/resource.h"
#include "ui/shell_input.h"
#include "ui/window_placement.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

constexpr wchar_t kClassName[] = L"TMainForm";
constexpr wchar_t kCaption[] = L"Skimdex";

// The designed bounds at 96 dpi.
constexpr ScreenBox kDesignBounds{116, 123, 215, 252};
constexpr Placement kControls[] = {
    {IDC_MEMO, 8, 40, 193, 73},
    {IDC_PROGRESS, 8, 128, 193, 16},
    {IDM_START, 72, 152, 75, 25},
};

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowBase::Procedure;
  window_class.hInstance = instance;
  const auto icon = [instance](int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SKIMDEX), IMAGE_ICON,
                                         GetSystemMetrics(width), GetSystemMetrics(height), 0));
  };
  window_class.hIcon = icon(SM_CXICON, SM_CYICON);
  window_class.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
}

HWND CreateChild(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int id) {
  return Created(CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
}

}  // namespace

void TMainForm::Create(HINSTANCE instance) {
  instance_ = instance;
  dpi_ = SystemDpi();
  RegisterWindowClass(instance);
  Created(CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          Scaled(kDesignBounds.left), Scaled(kDesignBounds.top), Scaled(kDesignBounds.width),
                          Scaled(kDesignBounds.height), nullptr,
                          LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)), instance, this));
}

void TMainForm::UseDialogs(TAboutBox& about_box, TConfigration& config) {
  about_box_ = &about_box;
  config_ = &config;
}

void TMainForm::Show(int show_command) {
  if (const int dpi = WindowDpi(Handle()); dpi != dpi_) ApplyDpi(dpi);
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
  SetFocus(focus_);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_COMMAND:
      if (lparam == 0 || HIWORD(wparam) == BN_CLICKED)
        OnCommand(LOWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WindowRun::kMessage:
      run_->OnMessage();
      return 0;
    case WM_TIMER:
      OnTimer(wparam);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    // Enter on the focused Start button presses it, as in a dialog; Enter in the memo does nothing.
    case DM_GETDEFID:
      return GetFocus() == start_button_.Handle() ? MAKELRESULT(IDM_START, DC_HASDEFID) : 0;
    case WM_NEXTDLGCTL:
      OnNextControl(wparam, lparam);
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DRAWITEM:
      toolbar_.DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      drop_target_.Revoke();
      help_.Quit(Handle());
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(message, wparam, lparam);
}

LRESULT TMainForm::OnCreate() {
  try {
    CreateControls();
  } catch (...) {
    return -1;  // the window is not made: Create reports it
  }
  FormCreate();
  return 0;
}

void TMainForm::CreateControls() {
  toolbar_.Create(Handle());
  scan_list_.Create(Handle(), IDC_MEMO);
  progress_bar_ = CreateChild(Handle(), PROGRESS_CLASSW, L"", 0, IDC_PROGRESS);
  SendMessageW(progress_bar_, PBM_SETRANGE32, 0, 100);
  start_button_.Create(Handle(), IDM_START);
  focus_ = start_button_.Handle();
  status_line_.Create(Handle(), IDC_STATUS);
  run_.emplace(Handle(), static_cast<RunDisplay&>(*this));
  SetInputGate([this](const MSG& message) { return run_->DropsInput(message); });
  drop_target_.Register(Handle());
  ApplyDpi(WindowDpi(Handle()));
}

// Fonts, glyphs and every designed position from the 96-dpi design.
void TMainForm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  font_ = DesignFont(12, dpi_);
  toolbar_.ApplyDpi(instance_, dpi_);
  PlaceControls(Handle(), kControls, dpi_);
  for (HWND control : {scan_list_.Handle(), progress_bar_, start_button_.Handle()}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  status_line_.ApplyDpi(font_.get(), dpi_);
  OnSize();
}

void TMainForm::FormCreate() {
  SetApplicationHintHandler([this](const std::string& hint) { status_line_.ShowHint(hint); });
  const ScreenBox designed{0, 0, Scaled(kDesignBounds.width), Scaled(kDesignBounds.height)};
  {
    StoredPlacement placement(Handle(), dpi_, designed, loading_placement_);
    LoadSettings(placement);
  }
  save_dialog_.OpenIn(save_file_path);
  scan_list_.Clear();
}

// Closing during a run is refused like any other input. A failed save is reported and the window
// closes all the same: the user can always quit.
void TMainForm::OnClose() {
  if (RunUnderWay()) return;
  try {
    SaveSettings(NormalBounds(Handle()));
  } catch (...) {
    ShowUncaughtError(std::current_exception());
  }
  DestroyWindow(Handle());
}

// The focus goes back to the control that had it when the window was last active, as in a dialog.
void TMainForm::OnActivate(bool active) {
  const HWND focus = GetFocus();
  if (!active && IsChild(Handle(), focus)) focus_ = focus;
  if (active && IsWindow(focus_)) SetFocus(focus_);
}

// Tab from the memo, which asks its parent to move the focus as a dialog would.
void TMainForm::OnNextControl(WPARAM wparam, LPARAM lparam) {
  const HWND next =
      lparam ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0);
  if (next) SetFocus(next);
}

void TMainForm::OnCommand(int command, HWND control) {
  if (RunUnderWay()) return;
  switch (command) {
    case IDM_SCAN_FOLDER:
      return SpeedButton4Click();
    case IDM_SAVE_TO:
      FileSave(Handle());
      return;
    case IDM_NEW_RUN:
      return FileNew();
    case IDM_START:
      return Bt_StartClick(control == start_button_.Handle());
    case IDM_BROWSE:
      return SpeedButton8Click();
    case IDM_CONFIG:
      return SetConfig();
    case IDM_HELP_CONTENTS:
      return ShowHelp(HelpTopic::Contents);
    case IDM_HELP_SEARCH:
      return ShowHelp(HelpTopic::Keywords);
    case IDM_HELP_HOW_TO_USE:
      return ShowHelp(HelpTopic::HowToUse);
    case IDM_ABOUT:
      return HelpAbout();
    case IDM_EXIT:
      return FileExit();
  }
}

void TMainForm::OnMenuSelect(UINT item, UINT flags) {
  const bool command_item = flags != 0xFFFF && !(flags & (MF_POPUP | MF_SEPARATOR));
  SetApplicationHint(command_item ? SplitHint(MenuItemHint(static_cast<int>(item))).long_part
                                  : std::string());
}

void TMainForm::OnTimer(UINT_PTR timer) {
  if (timer == WindowRun::kProgressTimer) run_->OnTimer();
  if (timer == kHintTimer) status_line_.OnHintTimer();
  if (timer == kScanListTimer) scan_list_.OnTimer();
}

void TMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  // A stored placement keeps its physical size even when it puts the window on another screen.
  if (loading_placement_) return;
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::OnSize() {
  status_line_.OnParentSized();
  InvalidateRect(Handle(), nullptr, TRUE);
}

// The toolbar panel, and below it the frame's workspace in the application workspace colour with a
// sunken edge, as a multiple-document frame shows its client area.
void TMainForm::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  const int toolbar_bottom = toolbar_.PaintPanel(dc, client.right);
  RECT status;
  GetWindowRect(status_line_.Handle(), &status);
  RECT workspace{0, toolbar_bottom, client.right, client.bottom - (status.bottom - status.top)};
  FillRect(dc, &workspace, GetSysColorBrush(COLOR_APPWORKSPACE));
  DrawEdge(dc, &workspace, EDGE_SUNKEN, BF_RECT);
  EndPaint(Handle(), &paint);
}

LRESULT TMainForm::OnControlColour(HDC dc, HWND control) {
  if (control == scan_list_.Handle()) return reinterpret_cast<LRESULT>(scan_list_.Colours(dc));
  return DefaultHandling(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// A press on the Start button at "Finish" closes the program, unless it is the second click of a
// double-click: its first click started the run that has just finished.
void TMainForm::Bt_StartClick(bool pressed_on_start) {
  if (StartClickAction(WindowText(start_button_.Handle())) == StartAction::CloseProgram) {
    if (pressed_on_start && start_button_.SecondClick()) return;
    return FileExit();
  }
  scan_list_.Hold();
  run_->Start(CurrentRunSettings());
}

void TMainForm::FileNew() {
  SetCp932Text(start_button_.Handle(), kCaptionStart);
  Bt_StartClick(false);
}

void TMainForm::SpeedButton4Click() { config_->SpeedButton1Click(); }

void TMainForm::SpeedButton8Click() {
  ShellExecuteW(Handle(), L"open", Wide(save_file_name).c_str(), L"", L"", SW_SHOW);
}

void TMainForm::SetConfig() { config_->ShowModal(); }

void TMainForm::HelpAbout() { about_box_->ShowModal(); }

void TMainForm::FileExit() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::ShowHelp(HelpTopic topic) { help_.Show(Handle(), topic); }

void TMainForm::ShowCaption(const std::string& caption) { SetCp932Text(start_button_.Handle(), caption); }

void TMainForm::ShowProgress(int maximum, int position) {
  SendMessageW(progress_bar_, PBM_SETRANGE32, 0, maximum);
  SendMessageW(progress_bar_, PBM_SETPOS, position, 0);
}

void TMainForm::AppendScanList(TStringList list) { scan_list_.Append(std::move(list)); }

// The run's questions are the window's modal boxes; nothing typed before one showed answers it. The
// run waits for the answer, so the memo takes the scan list meanwhile.
MessageAnswer TMainForm::Ask(const std::string& text, const std::string& title, MessageButtons buttons) {
  scan_list_.Release();
  DropPendingInput();
  const UINT type = buttons == MessageButtons::Ok ? MB_OK : MB_OKCANCEL;
  const int answer = MessageBoxW(Handle(), Wide(text).c_str(), Wide(title).c_str(), type);
  scan_list_.Hold();
  return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

// The memo catches up now that the run is over. The listing page's error reaches the general error
// report, with the bar left where the run stopped.
void TMainForm::RunEnded(std::exception_ptr error) {
  scan_list_.Release();
  if (!error) return;
  DropPendingInput();
  ShowUncaughtError(error);
}

// A drop is a posted message, which the input gate does not catch: during a run it is refused here.
void TMainForm::Dropped(const std::vector<std::string>& paths) {
  if (RunUnderWay()) return;
  if (const std::optional<std::string> folder = DroppedScanFolder(paths)) config_->ChangeScanFolder(*folder);
}

int TMainForm::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

}  // namespace skimdex
