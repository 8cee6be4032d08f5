#pragma once

#include <windows.h>

#include "ui/depth_field.h"
#include "ui/folder_dialog.h"
#include "ui/ok_cancel.h"

// The configuration dialog: the scan folder, the output file and the folder depth. Made once, hidden,
// at start-up; its fields are filled from the settings only then and afterwards keep what they show.
namespace skimdex {

class TMainForm;

class TConfigration final : public TOKBottomDlg {
 public:
  // Creates the dialog hidden, owned by the main window, and runs FormCreate.
  void Create(HINSTANCE instance, TMainForm& main);
  // SetConfig: shows the dialog modally over the main window until OK or Cancel.
  void ShowModal();
  // Browses for the scan folder, also while the dialog is hidden; nothing is stored until OK.
  void SpeedButton1Click();

  using DialogBase::Handle;

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void PlaceControls();
  void RegisterHints();
  void KeepFocusOffSpeedButtons();
  void ReturnFocusFromSpeedButton();
  void FormCreate();
  void OKBtnClick() override;
  void CancelBtnClick() override;
  void SpeedButton2Click();
  void HelpBtnClick();

  TMainForm* main_ = nullptr;
  DepthField SpinEdit1;
  HWND focus_before_speed_button_ = nullptr;
  TFolderDialog FolderDialog1;
};

}  // namespace skimdex
