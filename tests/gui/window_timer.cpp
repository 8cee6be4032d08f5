// Not a test: times the window's run for scripts/benchmark.sh, from the click on Start to "Finish",
// which the window shows once the memo holds every scan entry. Prints the milliseconds.
//   window_timer DEPTH FOLDER OUTPUT
#include <cstdio>

#include "gui/driver.h"
#include "support/stored_settings.h"
#include "text/directory.h"
#include "ui/resource.h"

int main(int argc, char** argv) {
  using namespace skimdex;
  if (argc != 4) {
    std::fputs("usage: window_timer DEPTH FOLDER OUTPUT\n", stderr);
    return 64;
  }
  const testing::StoredSettings settings;
  settings.Set("Config", "FolderLevel", argv[1]);
  settings.Set("Config", "IniSeekDir", argv[2]);
  settings.Set("Config", "IniFileName", argv[3]);
  gui::Program program(ProgramFolder() + "Skimdex.exe", ProgramFolder());
  const HWND start = GetDlgItem(program.Main(), IDM_START);
  const ULONGLONG begin = GetTickCount64();
  gui::Click(start);
  if (!program.WaitText(start, "Finish", 30 * 60 * 1000)) {
    std::fputs("the run did not finish\n", stderr);
    return 1;
  }
  std::printf("%llu\n", GetTickCount64() - begin);
  program.Command(IDM_EXIT);
  return program.WaitExit() ? 0 : 1;
}
