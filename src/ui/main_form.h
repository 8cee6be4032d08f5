#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "index/message_box.h"
#include "index/progress.h"
#include "index/run.h"
#include "settings/store.h"
#include "text/directory.h"
#include "ui/dialog_base.h"
#include "ui/gui_handles.h"
#include "ui/help.h"

namespace skimdex {

class TAboutBox;
class TConfigration;

// The main window: toolbar, memo, progress bar, Start button, status line and menu. It hosts the
// index run, owns the save dialog and sends the program's help requests.
class TMainForm final : public WindowBase,
                        private PlacementTarget,
                        private RunView,
                        private ProgressSink,
                        private MessageBoxes {
 public:
  // Creates the window, still hidden, and runs FormCreate.
  void Create(HINSTANCE instance);
  // The dialogs the window's commands show, made after the window itself.
  void UseDialogs(TAboutBox& about_box, TConfigration& config);

  using WindowBase::Handle;

  // The save dialog; a confirmed choice sets save_file_name and save_file_path. True when confirmed.
  bool FileSave();
  // The help request for `topic`, with the main window as its requester.
  void ShowHelp(HelpTopic topic);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateControls();
  void ApplyDpi(int dpi);
  void FormCreate();
  void FormClose();
  void OnCommand(int command);
  void OnSize();
  void OnPaint();
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMenuSelect(UINT item, UINT flags);

  void ShowHint(const std::string& hint);
  void Bt_StartClick();
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
  // RunView, ProgressSink, MessageBoxes: the index run's view of this window.
  void SetCaption(const std::string& caption) override;
  void ShowScanList(const TStringList& list) override;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
  void ShowPendingPosition();
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons) override;

  int Scaled(int length) const;
  WindowBounds NormalBounds() const;

  HINSTANCE instance_ = nullptr;
  THelp help_{ProgramFolder()};
  int dpi_ = 96;
  ScopedFont font_;
  ScopedImageList glyphs_;  // normal glyphs, then their disabled twins
  int glyph_size_ = 16;
  std::array<HWND, 8> toolbar_{};
  HWND start_button_ = nullptr;
  HWND memo_ = nullptr;
  HWND progress_bar_ = nullptr;
  HWND status_line_ = nullptr;
  // Coordinates loaded while no placement is stored are the design's, so they scale with the DPI.
  bool placement_is_design_ = false;
  bool loading_placement_ = false;
  int progress_maximum_ = 100;
  DWORD progress_drawn_at_ = 0;
  std::optional<int> progress_pending_;  // a position not yet shown
  // The save dialog keeps its last confirmed full path as the name it opens with.
  std::string save_dialog_file_ = "Localindex.html";
  std::string save_dialog_folder_;
  TAboutBox* about_box_ = nullptr;
  TConfigration* config_ = nullptr;
};

}  // namespace skimdex
