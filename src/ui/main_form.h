#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/store.h"
#include "text/directory.h"
#include "ui/config.h"
#include "ui/dialog_base.h"
#include "ui/gui_handles.h"
#include "ui/help.h"
#include "ui/scan_list_view.h"
#include "ui/window_run.h"

namespace skimdex {

class TAboutBox;

// The main window: toolbar, memo, progress bar, Start button, status line and menu. It hosts the
// index run, owns the save dialog and sends the program's help requests.
class TMainForm final : public WindowBase, public ConfigHost, private PlacementTarget, private RunDisplay {
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
  // The save dialog over `owner`; a confirmed choice sets save_file_name and save_file_path.
  bool FileSave(HWND owner) override;
  // The help request for `topic`, with the main window as its requester.
  void ShowHelp(HelpTopic topic) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateControls();
  void ApplyDpi(int dpi);
  void SizeStatusLine();
  void FormCreate();
  void KeepOnScreen();
  void OnClose();
  void OnActivate(bool active);
  // `control` is the control that sent the command, or null for the menu.
  void OnCommand(int command, HWND control);
  void OnSize();
  void OnPaint();
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMenuSelect(UINT item, UINT flags);
  void OnHintTimer();

  void ShowHint(const std::string& hint);
  // `pressed_on_start`: the Start button itself was clicked, or Enter or Space pressed on it.
  void Bt_StartClick(bool pressed_on_start);
  void FileNew();
  void SpeedButton4Click();
  void SpeedButton8Click();
  void SetConfig();
  void HelpAbout();
  void FileExit();

  // PlacementTarget: stored coordinates arrive in physical pixels and apply as they are.
  void SetTop(std::int32_t top) override;
  void SetLeft(std::int32_t left) override;
  void SetWidth(std::int32_t width) override;
  void SetHeight(std::int32_t height) override;
  // RunDisplay: the run as the window shows it.
  void ShowCaption(const std::string& caption) override;
  void ShowProgress(int maximum, int position) override;
  void AppendScanList(TStringList list) override;
  MessageAnswer Ask(const std::string& text, const std::string& title, MessageButtons buttons) override;
  void RunEnded(std::exception_ptr error) override;

  int Scaled(int length) const;
  WindowBounds NormalBounds() const;

  static constexpr UINT_PTR kHintTimer = WindowRun::kProgressTimer + 1;
  static constexpr UINT_PTR kScanListTimer = kHintTimer + 1;

  HINSTANCE instance_ = nullptr;
  THelp help_{ProgramFolder()};
  int dpi_ = 96;
  ScopedFont font_;
  ScopedImageList glyphs_;  // normal glyphs, then their disabled twins
  int glyph_size_ = 16;
  std::array<HWND, 8> toolbar_{};
  HWND start_button_ = nullptr;
  ScanListView scan_list_{kScanListTimer};
  HWND progress_bar_ = nullptr;
  HWND status_line_ = nullptr;
  // The control that has the focus while the window is active, given back when it is activated again.
  HWND focus_ = nullptr;
  // Coordinates loaded while no placement is stored are the design's, so they scale with the DPI.
  bool placement_is_design_ = false;
  bool loading_placement_ = false;
  SIZE stored_size_{1, 1};  // as loaded, before the system enforces its smallest window
  std::optional<WindowRun> run_;
  bool second_click_ = false;  // the Start button's press under way is a double-click's second click
  // The save dialog keeps its last confirmed full path as the name it opens with.
  std::string save_dialog_file_ = "Localindex.html";
  std::string save_dialog_folder_;
  TAboutBox* about_box_ = nullptr;
  TConfigration* config_ = nullptr;
};

}  // namespace skimdex
