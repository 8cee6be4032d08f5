#include "ui/main_form.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "settings/scoped_key.h"
#include "settings/settings.h"
#include "text/uncaught_error.h"
#include "text/unicode.h"
#include "text/wide.h"
#include "ui/about_box.h"
#include "ui/commands.h"
#include "ui/dpi.h"
#include "ui/hint_registry.h"
#include "ui/layout.h"
#include "ui/main_form_rules.h"
#include "ui/resource.h"
#include "ui/window_text.h"

namespace skimdex {
namespace {

constexpr char kClassName[] = "TMainForm";
constexpr char kCaption[] = "Skimdex";

// The designed bounds at 96 dpi.
constexpr RECT kDesignBounds{116, 123, 116 + 215, 123 + 252};
constexpr int kSpeedBarHeight = 33;
constexpr int kStatusLineHeight = 23;
constexpr int kStatusPanelWidth = 50;
constexpr Placement kControls[] = {
    {IDC_MEMO, 8, 40, 193, 73},
    {IDC_PROGRESS, 8, 128, 193, 16},
    {IDM_START, 72, 152, 75, 25},
};

// While the status line shows a hint, the pointer is looked for this often: a pointer that has left
// every window of the program takes the hint with it.
constexpr UINT kHintInterval = 200;  // milliseconds

// 保存ファイルの指定
constexpr char kSaveDialogTitle[] =
    "\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8E\x77\x92\xE8";
// HTMLファイル(*.html,*.htm) and cgiスクリプト(*.cgi,*.shtml,*.pl), each with its pattern.
constexpr char kSaveDialogFilter[] =
    "HTML\x83\x74\x83\x40\x83\x43\x83\x8B(*.html,*.htm)\x00*.html;*.htm\x00\x63gi\x83\x58\x83\x4E\x83\x8A\x83\x76\x83\x67(*.cgi,*.shtml,*.pl)\x00*.cgi;*.shtml;*.pl\x00";
constexpr DWORD kSaveDialogPathSize = 32768;  // the longest path the system takes

bool PlacementStored() {
  HKEY key = nullptr;
  const std::string locate = std::string(kProgramKey) + "\\Locate";
  if (RegOpenKeyExA(HKEY_CURRENT_USER, locate.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const ScopedKey opened(key);
  return true;
}

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowBase::Procedure;
  window_class.hInstance = instance;
  window_class.hIcon =
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SKIMDEX), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  window_class.hIconSm =
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SKIMDEX), IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExA(&window_class);
}

HWND CreateChild(HWND parent, const char* window_class, const char* text, DWORD style, int id,
                 DWORD extended_style = 0) {
  return Created(CreateWindowExA(extended_style, window_class, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                 nullptr));
}

// The edge of the workspace against the screen: GetWindowPlacement reports workspace coordinates.
POINT WorkspaceOffset(const RECT& normal) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST), &monitor)) return {0, 0};
  return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

bool PointerOverProgram() {
  POINT pointer;
  if (!GetCursorPos(&pointer)) return false;
  DWORD process = 0;
  const HWND window = WindowFromPoint(pointer);
  return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

// A monitor's work area holds `point`, which a user can then grab.
bool InSomeWorkArea(POINT point) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const HMONITOR found = MonitorFromPoint(point, MONITOR_DEFAULTTONULL);
  return found && GetMonitorInfoA(found, &monitor) && PtInRect(&monitor.rcWork, point);
}

ScreenBox BoxOf(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Tells the form when a press on the Start button is the second click of a double-click: the button
// class takes double-clicks, so the system sends that press as WM_LBUTTONDBLCLK, and the button's
// click follows on the release.
LRESULT CALLBACK StartButtonProcedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR second_click) {
  bool& flag = *reinterpret_cast<bool*>(second_click);
  if (message == WM_LBUTTONDBLCLK) flag = true;
  const LRESULT result = DefSubclassProc(button, message, wparam, lparam);
  if (message == WM_LBUTTONUP) flag = false;
  return result;
}

}  // namespace

void TMainForm::Create(HINSTANCE instance) {
  instance_ = instance;
  dpi_ = SystemDpi();
  RegisterWindowClass(instance);
  Created(CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          Scaled(kDesignBounds.left), Scaled(kDesignBounds.top),
                          Scaled(kDesignBounds.right - kDesignBounds.left),
                          Scaled(kDesignBounds.bottom - kDesignBounds.top), nullptr,
                          LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU)), instance, this));
}

void TMainForm::UseDialogs(TAboutBox& about_box, TConfigration& config) {
  about_box_ = &about_box;
  config_ = &config;
}

void TMainForm::Show(int show_command) {
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
  SetFocus(focus_);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      try {
        CreateControls();
      } catch (...) {
        return -1;  // the window is not made: Create reports it
      }
      FormCreate();
      return 0;
    case WM_COMMAND:
      if (lparam == 0 || HIWORD(wparam) == BN_CLICKED) {
        OnCommand(LOWORD(wparam), reinterpret_cast<HWND>(lparam));
      }
      return 0;
    case WindowRun::kMessage:
      run_->OnMessage();
      return 0;
    case WM_TIMER:
      if (wparam == WindowRun::kProgressTimer) run_->OnTimer();
      if (wparam == kHintTimer) OnHintTimer();
      if (wparam == kScanListTimer) scan_list_.OnTimer();
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    // Enter on the focused Start button presses it, as in a dialog; Enter in the memo does nothing.
    case DM_GETDEFID:
      return GetFocus() == start_button_ ? MAKELRESULT(IDM_START, DC_HASDEFID) : 0;
    // Tab from the memo, which asks its parent to move the focus as a dialog would.
    case WM_NEXTDLGCTL: {
      const HWND next =
          lparam ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wparam));
      // A stored placement keeps its physical size even when it puts the window on another screen.
      if (loading_placement_) return 0;
      const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      help_.Quit(Handle());
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(message, wparam, lparam);
}

void TMainForm::CreateControls() {
  for (const ToolbarButton& button : ToolbarButtons()) {
    HWND control = CreateChild(Handle(), "BUTTON", "", BS_OWNERDRAW, button.command);
    toolbar_[button.glyph] = control;
    RegisterHint(control, button.hint, true);
  }
  scan_list_.Create(Handle(), IDC_MEMO);
  progress_bar_ = CreateChild(Handle(), PROGRESS_CLASSA, "", 0, IDC_PROGRESS);
  SendMessageA(progress_bar_, PBM_SETRANGE32, 0, 100);
  start_button_ = CreateChild(Handle(), "BUTTON", kCaptionStart, WS_TABSTOP | BS_PUSHBUTTON, IDM_START);
  SetWindowSubclass(start_button_, StartButtonProcedure, 0, reinterpret_cast<DWORD_PTR>(&second_click_));
  focus_ = start_button_;
  status_line_ = CreateChild(Handle(), STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, IDC_STATUS);
  SendMessageA(status_line_, SB_SIMPLE, TRUE, 0);
  run_.emplace(Handle(), static_cast<RunDisplay&>(*this));
  SetInputGate([this](const MSG& message) { return run_->DropsInput(message); });
  ApplyDpi(WindowDpi(Handle()));
}

// Fonts, glyphs and every designed position from the 96-dpi design.
void TMainForm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  font_ = DesignFont(12, dpi_);
  glyph_size_ = GlyphSizeFor(dpi_);
  const int glyph_strip = glyph_size_ == 32   ? IDB_GLYPHS_32
                          : glyph_size_ == 24 ? IDB_GLYPHS_24
                                              : IDB_GLYPHS_16;
  glyphs_ = ScopedImageList(ImageList_LoadImageA(instance_, MAKEINTRESOURCEA(glyph_strip), glyph_size_, 0,
                                                 RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
  std::vector<Placement> placements(std::begin(kControls), std::end(kControls));
  for (const ToolbarButton& button : ToolbarButtons()) {
    placements.push_back(
        {button.command, button.left, kToolbarButtonTop, button.width, kToolbarButtonHeight});
  }
  PlaceControls(Handle(), placements, dpi_);
  const int status_parts[] = {Scaled(kStatusPanelWidth)};
  SendMessageA(status_line_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(status_parts));
  for (HWND control : {scan_list_.Handle(), progress_bar_, start_button_, status_line_}) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  SizeStatusLine();
  OnSize();
}

// The status line adds its borders to the minimum height it is given; the second try takes off what
// the first one measured too much.
void TMainForm::SizeStatusLine() {
  const int wanted = Scaled(kStatusLineHeight);
  int minimum = wanted;
  for (int attempt = 0; attempt < 2; ++attempt) {
    SendMessageA(status_line_, SB_SETMINHEIGHT, minimum, 0);
    SendMessageA(status_line_, WM_SIZE, 0, 0);
    RECT bounds;
    GetWindowRect(status_line_, &bounds);
    minimum += wanted - (bounds.bottom - bounds.top);
  }
}

void TMainForm::FormCreate() {
  SetApplicationHintHandler([this](const std::string& hint) { ShowHint(hint); });
  placement_is_design_ = !PlacementStored();
  loading_placement_ = true;
  try {
    LoadSettings(*this);
  } catch (...) {
    loading_placement_ = false;
    KeepOnScreen();
    throw;
  }
  loading_placement_ = false;
  KeepOnScreen();
  save_dialog_folder_ = save_file_path;
  scan_list_.Clear();
}

// A placement stored while another monitor was attached may lie where no screen shows it: unless a
// work area holds the middle of the top edge, where the caption is grabbed, the window moves into the
// nearest work area.
void TMainForm::KeepOnScreen() {
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  if (InSomeWorkArea({(bounds.left + bounds.right) / 2, bounds.top})) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ScreenBox designed{0, 0, Scaled(kDesignBounds.right - kDesignBounds.left),
                           Scaled(kDesignBounds.bottom - kDesignBounds.top)};
  // The system widens a window stored with no width or height: the stored size decides.
  ScreenBox window = BoxOf(bounds);
  if (stored_size_.cx < 1) window.width = 0;
  if (stored_size_.cy < 1) window.height = 0;
  const ScreenBox fitted = FittedInto(window, BoxOf(monitor.rcWork), designed);
  SetWindowPos(Handle(), nullptr, fitted.left, fitted.top, fitted.width, fitted.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Closing during a run is refused like any other input. A failed save is reported and the window
// closes all the same: the user can always quit.
void TMainForm::OnClose() {
  if (RunUnderWay()) return;
  try {
    SaveSettings(NormalBounds());
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
      return Bt_StartClick(control == start_button_);
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

void TMainForm::OnHintTimer() {
  if (!PointerOverProgram()) SetApplicationHint({});
}

void TMainForm::OnSize() {
  SendMessageA(status_line_, WM_SIZE, 0, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

// The toolbar panel with its raised bevel, and below it the frame's workspace in the application
// workspace colour with a sunken edge, as a multiple-document frame shows its client area.
void TMainForm::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  RECT speed_bar{0, 0, client.right, Scaled(kSpeedBarHeight)};
  DrawEdge(dc, &speed_bar, BDR_RAISEDINNER, BF_RECT);
  RECT status;
  GetWindowRect(status_line_, &status);
  RECT workspace{0, speed_bar.bottom, client.right, client.bottom - (status.bottom - status.top)};
  FillRect(dc, &workspace, GetSysColorBrush(COLOR_APPWORKSPACE));
  DrawEdge(dc, &workspace, EDGE_SUNKEN, BF_RECT);
  EndPaint(Handle(), &paint);
}

LRESULT TMainForm::OnControlColour(HDC dc, HWND control) {
  if (control == scan_list_.Handle()) return reinterpret_cast<LRESULT>(scan_list_.Colours(dc));
  return DefaultHandling(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// A speed button: raised, sunk while pressed, its glyph centred and greyed when disabled.
void TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  RECT face = item.rcItem;
  DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int glyph =
      static_cast<int>(std::find(toolbar_.begin(), toolbar_.end(), item.hwndItem) - toolbar_.begin());
  const int shift = pressed ? 1 : 0;
  const int x = (item.rcItem.right - item.rcItem.left - glyph_size_) / 2 + shift;
  const int y = (item.rcItem.bottom - item.rcItem.top - glyph_size_) / 2 + shift;
  ImageList_Draw(glyphs_.get(), glyph + (disabled ? kGlyphCount : 0), item.hDC, x, y, ILD_TRANSPARENT);
}

void TMainForm::ShowHint(const std::string& hint) {
  SendMessageA(status_line_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(hint.c_str()));
  if (hint.empty()) {
    KillTimer(Handle(), kHintTimer);
  } else {
    SetTimer(Handle(), kHintTimer, kHintInterval, nullptr);
  }
}

// A press on the Start button at "Finish" closes the program, unless it is the second click of a
// double-click: its first click started the run that has just finished.
void TMainForm::Bt_StartClick(bool pressed_on_start) {
  if (StartClickAction(WindowText(start_button_)) == StartAction::CloseProgram) {
    if (pressed_on_start && second_click_) return;
    return FileExit();
  }
  scan_list_.Hold();
  run_->Start(CurrentRunSettings());
}

void TMainForm::FileNew() {
  SetWindowTextA(start_button_, kCaptionStart);
  Bt_StartClick(false);
}

bool TMainForm::FileSave(HWND owner) {
  const std::wstring title = Wide(FromCp932(kSaveDialogTitle));
  const std::wstring filter = Wide(FromCp932(std::string_view(kSaveDialogFilter, sizeof kSaveDialogFilter)));
  const std::wstring folder = Wide(save_dialog_folder_);
  std::wstring path = Wide(save_dialog_file_);
  path.resize(kSaveDialogPathSize);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kSaveDialogPathSize;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // No overwrite prompt (the run asks instead) and no default extension; the current folder is
  // left at the chosen file's folder, against which a bare save_file_name is resolved.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return false;
  const std::string chosen = Narrow(path.c_str());
  const SaveChoice choice = SaveChoiceOf(chosen);
  SetSaveFile(choice.save_file_name, choice.save_file_path);
  save_dialog_file_ = chosen;
  save_dialog_folder_ = save_file_path;
  return true;
}

void TMainForm::SpeedButton4Click() { config_->SpeedButton1Click(); }

void TMainForm::SpeedButton8Click() {
  ShellExecuteW(Handle(), L"open", Wide(save_file_name).c_str(), L"", L"", SW_SHOW);
}

void TMainForm::SetConfig() { config_->ShowModal(); }

void TMainForm::HelpAbout() { about_box_->ShowModal(); }

void TMainForm::FileExit() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::ShowHelp(HelpTopic topic) { help_.Show(Handle(), topic); }

void TMainForm::SetTop(std::int32_t top) {
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, bounds.left, placement_is_design_ ? Scaled(top) : top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::SetLeft(std::int32_t left) {
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, placement_is_design_ ? Scaled(left) : left, bounds.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::SetWidth(std::int32_t width) {
  stored_size_.cx = width;
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, 0, 0, placement_is_design_ ? Scaled(width) : width,
               bounds.bottom - bounds.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::SetHeight(std::int32_t height) {
  stored_size_.cy = height;
  RECT bounds;
  GetWindowRect(Handle(), &bounds);
  SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left,
               placement_is_design_ ? Scaled(height) : height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::ShowCaption(const std::string& caption) { SetWindowTextA(start_button_, caption.c_str()); }

void TMainForm::ShowProgress(int maximum, int position) {
  SendMessageA(progress_bar_, PBM_SETRANGE32, 0, maximum);
  SendMessageA(progress_bar_, PBM_SETPOS, position, 0);
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

int TMainForm::Scaled(int length) const { return ScaleForDpi(length, dpi_); }

// The restored rectangle in screen coordinates, also while minimised or maximised, so the next start
// never opens off screen or at the size of the whole screen.
WindowBounds TMainForm::NormalBounds() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  const RECT& normal = placement.rcNormalPosition;
  const POINT offset = WorkspaceOffset(normal);
  return {.top = normal.top + offset.y,
          .left = normal.left + offset.x,
          .width = normal.right - normal.left,
          .height = normal.bottom - normal.top};
}

}  // namespace skimdex
