#pragma once

#include <windows.h>

#include <string>

#include "gui/driver.h"

// Wine's help viewer (winhlp32), which the program's help requests start as a process of its own.
namespace skimdex::gui {

// The titles of the help file's topics, each shown as its topic's first paragraph: 環境設定ダイアログ, 目次
inline const std::string kConfigTopic =
    "\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8\x83\x5F\x83\x43\x83\x41\x83\x8D\x83\x4F";
inline const std::string kContentsTopic = "\x96\xDA\x8E\x9F";
// The help file's title, the viewer's caption: Skimdex ヘルプ
inline const std::string kHelpTitle = "Skimdex \x83\x77\x83\x8B\x83\x76";

// The viewer's main window, or nullptr when none runs.
HWND HelpViewer();
// The text of the topic the viewer shows.
std::string TopicText(HWND viewer);
// The first paragraph of the topic shown once it is `expected` or the patience ran out.
std::string ShownTitle(HWND viewer, const std::string& expected);
// Opens the configuration dialog and clicks its help button; the dialog, or nullptr.
HWND AskConfigHelp(Program& program);
// Closes every viewer left running.
void CloseHelpViewers();

// While it lives, the shell's "open" of an .html file runs open_recorder.exe, which notes the file
// instead of starting a browser; the registration found before is put back afterwards.
class BrowserStandIn {
 public:
  explicit BrowserStandIn(const std::string& log_file);
  ~BrowserStandIn();
  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;

  // The files opened so far, one UTF-8 line each.
  std::string Opened() const;

 private:
  std::string log_file_;
  std::string extension_class_, command_;  // as registered before, empty when missing
};

}  // namespace skimdex::gui
