#pragma once

#include <windows.h>

#include <string>

// The system's save dialog for the output file, shown by the toolbar, the menu and the configuration
// dialog's "..." button.
namespace skimdex {

class SaveDialog {
 public:
  // The folder the dialog opens in until a file is chosen.
  void OpenIn(const std::string& folder) { folder_ = folder; }
  // Shown over `owner`; a confirmed choice sets save_file_name and save_file_path and is true.
  bool Execute(HWND owner);

 private:
  // The last confirmed full path is the name the dialog opens with.
  std::string file_ = "Localindex.html";
  std::string folder_;
};

}  // namespace skimdex
