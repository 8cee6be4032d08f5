// Skimdex.exe: the window program.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "text/uncaught_error.h"
#include "ui/about_box.h"
#include "ui/config.h"
#include "ui/hint_registry.h"
#include "ui/main_form.h"
#include "ui/start_folder.h"

namespace skimdex {
namespace {

// Unicode messages, so that the dialogs' fields take every character typed. Every message of the
// program passes the hint tracking; the main window gets dialog keys (Tab, Enter). Clicks and keys
// given during a run are dropped, then and after it.
int RunMessageLoop(const TMainForm& main_form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TrackHint(message);
    if (InputGateDrops(message)) continue;
    if (IsDialogMessageW(main_form.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// Start-up in its fixed order: the main window (which loads the settings), the about box, then the
// configuration dialog, whose creation reads the settings the main window loaded. A window that
// cannot be made ends the program with the general error report.
int Run(HINSTANCE instance, int show_command) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  TMainForm main_form;
  main_form.Create(instance);
  TAboutBox about_box;
  about_box.Create(instance, main_form.Handle());
  TConfigration config;
  config.Create(instance, main_form);
  main_form.UseDialogs(about_box, config);
  TakeCommandLineFolder(config);
  main_form.Show(show_command);
  return RunMessageLoop(main_form);
}

}  // namespace
}  // namespace skimdex

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  // The shell's folder browser needs OLE on this thread.
  OleInitialize(nullptr);
  int status = 0;
  try {
    status = skimdex::Run(instance, show_command);
  } catch (...) {
    skimdex::ShowUncaughtError(std::current_exception());
  }
  OleUninitialize();
  return status;
}
