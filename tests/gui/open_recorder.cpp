// Stands in for the browser in the GUI scenarios: registered as the shell's "open" of .html files, it
// appends the file it was given, as one UTF-8 line, to the file that SKIMDEX_OPEN_LOG names.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const char* log = std::getenv("SKIMDEX_OPEN_LOG");
  if (!arguments || count < 2 || !log) return 1;
  std::string line(WideCharToMultiByte(CP_UTF8, 0, arguments[1], -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, arguments[1], -1, line.data(), static_cast<int>(line.size()), nullptr,
                      nullptr);
  line.back() = '\n';
  FILE* out = std::fopen(log, "ab");
  if (!out) return 1;
  std::fwrite(line.data(), 1, line.size(), out);
  std::fclose(out);
  return 0;
}
