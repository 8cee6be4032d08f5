#pragma once

#include <windows.h>

#include <string>

#include "ui/depth_field.h"
#include "ui/folder_dialog.h"
#include "ui/help.h"
#include "ui/ok_cancel.h"

// The configuration dialog: the scan folder, the output file and the folder depth. Made once, hidden,
// at start-up; its fields are filled from the settings only then and afterwards keep what they show.
namespace skimdex {

// What the dialog needs of the window that hosts it: the main window.
class ConfigHost {
 public:
  virtual ~ConfigHost() = default;
  // The dialog's owner, which takes no input while the dialog or the folder browser is shown.
  virtual HWND Owner() const = 0;
  // The save dialog over `owner`; true when the user confirmed a file, which is then the setting.
  virtual bool FileSave(HWND owner) = 0;
  virtual void ShowHelp(HelpTopic topic) = 0;
  // A notice for the status line, which stays until the next hint replaces it.
  virtual void ShowNotice(const std::string& notice) = 0;
};

class TConfigration final : public TOKBottomDlg {
 public:
  // Creates the dialog hidden, owned by the host's window, and runs FormCreate; throws when the
  // dialog cannot be made.
  void Create(HINSTANCE instance, ConfigHost& host);
  // SetConfig: shows the dialog modally over the main window until OK or Cancel.
  void ShowModal();
  // Browses for the scan folder, also while the dialog is hidden; nothing is stored until OK.
  void SpeedButton1Click();
  // The one way in for a new scan folder (the folder chooser, the command line, a drop): the setting
  // and the field that shows it, so the dialog's next OK cannot write a stale field back. A name that
  // is no existing folder is refused in a box over the host's window; false then, and nothing changes.
  bool ChangeScanFolder(const std::string& folder);

  using DialogBase::Handle;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Every control at its designed place scaled to `dpi`.
  void PlaceControls(int dpi);
  void RegisterHints();
  void KeepFocusOffSpeedButtons();
  void ReturnFocusFromSpeedButton();
  void FormCreate();
  void OKBtnClick() override;
  void CancelBtnClick() override;
  void SpeedButton2Click();
  void HelpBtnClick();

  ConfigHost* host_ = nullptr;
  int dpi_ = 96;
  DepthField SpinEdit1;
  HWND focus_before_speed_button_ = nullptr;
  TFolderDialog FolderDialog1;
};

}  // namespace skimdex
