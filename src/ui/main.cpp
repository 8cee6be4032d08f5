// Skimdex.exe: the window program.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "text/uncaught_error.h"
#include "ui/about_box.h"
#include "ui/config.h"
#include "ui/hint_registry.h"
#include "ui/main_form.h"

namespace skimdex {
namespace {

// Every message of the program passes the hint tracking; the main window gets dialog keys (Tab).
int RunMessageLoop(HWND main_window) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TrackHint(message);
    if (IsDialogMessageA(main_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

// Start-up in its fixed order: the main window (which loads the settings), the about box, then the
// configuration dialog, whose creation reads the settings the main window loaded.
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
  ShowWindow(main_form.Handle(), show_command);
  UpdateWindow(main_form.Handle());
  return RunMessageLoop(main_form.Handle());
}

}  // namespace
}  // namespace skimdex

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  // The shell's folder browser needs OLE on this thread.
  OleInitialize(nullptr);
  int status = 0;
  try {
    status = skimdex::Run(instance, show_command);
  } catch (const std::exception& error) {
    skimdex::ShowUncaughtError(error);
  }
  OleUninitialize();
  return status;
}
