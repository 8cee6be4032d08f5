#pragma once

#include <windows.h>

#include <string>

// The program's help requests. Windows 10 and 11 have no WinHelp viewer, so each request opens its
// page of the HTML manual in the user's browser; where that page is missing beside the program, or no
// program opens it, it goes to the help engine with Skimdex.hlp as before.
namespace skimdex {

enum class HelpTopic { Contents, Keywords, HowToUse, ConfigDialog };

class THelp {
 public:
  // The manual and the help file are looked for in the UTF-8 `program_folder`, which ends in "\".
  explicit THelp(std::string program_folder) : folder_(std::move(program_folder)) {}

  // `owner` is the main window: the browser's owner, or the help engine's requesting window.
  void Show(HWND owner, HelpTopic topic);
  // At the program's end: closes the help engine's viewer if a request opened it.
  void Quit(HWND owner);

 private:
  std::string folder_;
  bool help_engine_used_ = false;
};

}  // namespace skimdex
