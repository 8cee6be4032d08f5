#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "text/directory.h"
#include "ui/config.h"
#include "ui/drop_target.h"
#include "ui/dialog_base.h"
#include "ui/gui_handles.h"
#include "ui/help.h"
#include "ui/save_dialog.h"
#include "ui/scan_list_view.h"
#include "ui/start_button.h"
#include "ui/status_line.h"
#include "ui/toolbar.h"
#include "ui/window_run.h"

namespace skimdex {

class TAboutBox;

// The main window: toolbar, memo, progress bar, Start button, status line and menu. It hosts the
// index run, owns the save dialog and sends the program's help requests.
class TMainForm final : public WindowBase, public ConfigHost, private RunDisplay, private DropHost {
 public:
  // Creates the window, still hidden, and runs FormCreate; throws when the window cannot be made.
  void Create(HINSTANCE instance);
  // The dialogs the window's commands show, made after the window itself.
  void UseDialogs(TAboutBox& about_box, TConfigration& config);
  // Shows the window with the focus on the Start button.
  void Show(int show_command);

  using WindowBase::Handle;
  // While a run is under way the window takes no input: the message loops drop it.
  bool RunUnderWay() const { return run_ && run_->UnderWay(); }

  // ConfigHost.
  HWND Owner() const override { return Handle(); }
  bool FileSave(HWND owner) override { return save_dialog_.Execute(owner); }
  // The help request for `topic`, with the main window as its requester.
  void ShowHelp(HelpTopic topic) override;
  void ShowNotice(const std::string& notice) override { status_line_.ShowNotice(notice); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT OnCreate();
  void CreateControls();
  void ApplyDpi(int dpi);
  void FormCreate();
  void OnClose();
  void OnActivate(bool active);
  void OnNextControl(WPARAM wparam, LPARAM lparam);
  // `control` is the control that sent the command, or null for the menu.
  void OnCommand(int command, HWND control);
  void OnTimer(UINT_PTR timer);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnSize();
  void OnPaint();
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnMenuSelect(UINT item, UINT flags);

  // `pressed_on_start`: the Start button itself was clicked, or Enter or Space pressed on it.
  void Bt_StartClick(bool pressed_on_start);
  void FileNew();
  void SpeedButton4Click();
  void SpeedButton8Click();
  void SetConfig();
  void HelpAbout();
  void FileExit();

  // RunDisplay: the run as the window shows it.
  void ShowCaption(const std::string& caption) override;
  void ShowProgress(int maximum, int position) override;
  void AppendScanList(TStringList list) override;
  MessageAnswer Ask(const std::string& text, const std::string& title, MessageButtons buttons) override;
  void RunEnded(std::exception_ptr error) override;
  // DropHost: items dragged from Explorer; during a run a drop is refused.
  bool TakesDrops() const override { return !RunUnderWay(); }
  void Dropped(const std::vector<std::string>& paths) override;

  int Scaled(int length) const;

  static constexpr UINT_PTR kHintTimer = WindowRun::kProgressTimer + 1;
  static constexpr UINT_PTR kScanListTimer = kHintTimer + 1;

  HINSTANCE instance_ = nullptr;
  THelp help_{ProgramFolder()};
  int dpi_ = 96;
  ScopedFont font_;
  Toolbar toolbar_;
  StartButton start_button_;
  ScanListView scan_list_{kScanListTimer};
  HWND progress_bar_ = nullptr;
  StatusLine status_line_{kHintTimer};
  // The control that has the focus while the window is active, given back when it is activated again.
  HWND focus_ = nullptr;
  // While the stored placement loads, a move to a monitor of another DPI keeps the stored size.
  bool loading_placement_ = false;
  std::optional<WindowRun> run_;
  SaveDialog save_dialog_;
  FolderDropTarget drop_target_{*this};
  TAboutBox* about_box_ = nullptr;
  TConfigration* config_ = nullptr;
};

}  // namespace skimdex
