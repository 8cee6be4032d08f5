// Not a test: times the window's run for scripts/benchmark.sh. From the click on Start it probes the
// window every 200 ms with a message until the memo holds every scan entry, and prints, in
// milliseconds, the time to "Finish" (both pages in place), the time until the memo is filled and
// the slowest answer to a probe, then the program's peak memory in KB.
//   window_timer DEPTH FOLDER OUTPUT SCAN_LIST
// SCAN_LIST is SkimdexCmd's scan list of the same run, whose length the filled memo has.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "gui/driver.h"
#include "support/samples.h"
#include "support/stored_settings.h"
#include "support/temp_folder.h"
#include "text/directory.h"
#include "ui/resource.h"

namespace {

using namespace skimdex;

constexpr ULONGLONG kLongest = 30 * 60 * 1000;

// The memo holds the scan list in UTF-16 with a line end between entries, none after the last.
LONGLONG FilledMemoLength(const char* scan_list) {
  const std::string bytes = testing::ReadWholeFile(scan_list);
  return MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) - 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: window_timer DEPTH FOLDER OUTPUT SCAN_LIST\n", stderr);
    return 64;
  }
  const LONGLONG filled_length = FilledMemoLength(argv[4]);
  const testing::StoredSettings settings;
  settings.Set("Config", "FolderLevel", argv[1]);
  settings.Set("Config", "IniSeekDir", argv[2]);
  settings.Set("Config", "IniFileName", argv[3]);
  gui::Program program(ProgramFolder() + "Skimdex.exe", ProgramFolder());
  const HWND start = GetDlgItem(program.Main(), IDM_START);
  const HWND memo = GetDlgItem(program.Main(), IDC_MEMO);
  const ULONGLONG begin = GetTickCount64();
  gui::Click(start);
  // "Finish" is looked for every 25 ms: often enough to time the run, seldom enough not to slow it.
  ULONGLONG finished = 0, filled = 0, slowest = 0, probed = 0;
  while ((!finished || !filled) && GetTickCount64() - begin < kLongest) {
    if (GetTickCount64() - probed >= 200) {
      probed = GetTickCount64();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(program.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      slowest = std::max(slowest, GetTickCount64() - probed);
    }
    if (!finished && gui::TextOf(start) == testing::kCaptionFinish) finished = GetTickCount64() - begin;
    const auto memo_length = static_cast<LONGLONG>(gui::UnicodeLengthOf(memo));
    if (finished && !filled && memo_length >= filled_length) filled = GetTickCount64() - begin;
    Sleep(25);
  }
  if (!finished || !filled) {
    std::fputs("the run did not finish or the memo was not filled\n", stderr);
    return 1;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  const HANDLE process = program.ProcessHandle();
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  CloseHandle(process);
  std::printf("%llu %llu %llu %llu\n", finished, filled, slowest,
              static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
  program.Command(IDM_EXIT);
  return program.WaitExit() ? 0 : 1;
}
