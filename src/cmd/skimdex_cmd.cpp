// SkimdexCmd: one index run from the console, as the Start button runs it.
#include <windows.h>

#include <shellapi.h>

#include <utility>

#include "cmd/command_line.h"
#include "index/run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "text/cp932.h"
#include "text/text_file.h"
#include "text/unicode.h"
#include "text/wide.h"

namespace skimdex {
namespace {

enum ExitStatus {
  kWritten = 0,
  kFramePageNotWritten = 1,
  kListingPageFailed = 2,
  kBadUsage = 64,
  kFailed = 70
};

// "使い方: SkimdexCmd [--depth N] [--yes] [フォルダ [出力ファイル]]" and its explanation.
constexpr char kUsageText[] =
    "\x8E\x67\x82\xA2\x95\xFB: SkimdexCmd [--depth N] [--yes] [\x83\x74\x83\x48\x83\x8B\x83\x5F [\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B]]\r\n"
    "  --depth N  \x88\xEA\x97\x97\x82\xC9\x82\xB7\x82\xE9\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xCC\x90\x5B\x82\xB3\r\n"
    "  --yes      \x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xEA\x82\xCE\x8F\xE3\x8F\x91\x82\xAB\x82\xB7\x82\xE9\r\n"
    "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x41\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x81\x41\x90\x5B\x82\xB3\x82\xF0\x8F\xC8\x97\xAA\x82\xB7\x82\xE9\x82\xC6\x81\x41\x95\xDB\x91\xB6\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x90\xDD\x92\xE8\x82\xF0\x8E\x67\x82\xA2\x82\xDC\x82\xB7\x81\x42\r\n";

// UTF-8 text on a console as the characters it holds; into a file or a pipe in code page 932, as
// the console program always wrote, with "?" for a character that has no exact form there. Straight
// to the handle, in one write: the C runtime's streams under Wine write what passes their buffer one
// byte at a time.
void Write(DWORD stream, const std::string& text) {
  const HANDLE handle = GetStdHandle(stream);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = Wide(text);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string bytes = ToCp932(text);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Message boxes as text on standard error; questions take the answer given on the command line.
class ConsoleBoxes final : public MessageBoxes {
 public:
  explicit ConsoleBoxes(bool overwrite) : overwrite_(overwrite) {}
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons) override {
    Write(STD_ERROR_HANDLE, title + "\r\n" + text + "\r\n");
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return overwrite_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
  }

 private:
  bool overwrite_;
};

// What the command line omits comes from the stored settings, which a console run never changes.
RunSettings TakeSettings(const CommandLine& line) {
  LoadSettingsReadOnly({.scan_folder = !line.folder, .file_name = !line.output, .folder_level = !line.depth});
  if (line.folder) Current_path = *line.folder;
  if (line.output) save_file_name = *line.output;
  if (line.depth) folder_level = *line.depth;
  return CurrentRunSettings();
}

// The scan list on standard output, the captions nowhere: a console has no Start button.
class ConsoleView final : public RunView {
 public:
  void SetCaption(const std::string&) override {}
  // In pieces: the list of a big tree would take several times its size again, converted whole.
  void ShowScanList(const TStringList& list) override {
    constexpr std::size_t kPiece = 64 * 1024;
    std::string text;
    for (const std::string& entry : list) {
      text.append(entry).append("\r\n");
      if (text.size() >= kPiece) Write(STD_OUTPUT_HANDLE, std::exchange(text, {}));
    }
    Write(STD_OUTPUT_HANDLE, text);
  }
};

int RunIndex(const CommandLine& line) {
  const RunSettings settings = TakeSettings(line);
  ConsoleView view;
  ConsoleBoxes boxes(line.overwrite);
  NoProgress progress;
  try {
    if (RunIndex(settings, view, boxes, progress) == RunResult::FramePageNotWritten) return kFramePageNotWritten;
  } catch (const EInOutError& error) {
    Write(STD_ERROR_HANDLE, FromCp932(error.Message()) + "\r\n");
    return kListingPageFailed;
  }
  return kWritten;
}

int Run(const std::vector<std::string>& arguments) {
  std::optional<CommandLine> line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const EConvertError& error) {
    Write(STD_ERROR_HANDLE, FromCp932(error.Message()) + "\r\n");
  }
  if (!line) {
    Write(STD_ERROR_HANDLE, FromCp932(kUsageText));
    return kBadUsage;
  }
  if (line->help) {
    Write(STD_OUTPUT_HANDLE, FromCp932(kUsageText));
    return kWritten;
  }
  return RunIndex(*line);
}

}  // namespace
}  // namespace skimdex

// The arguments as the system holds them, in Unicode, whatever names they give.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> texts;
  for (int i = 1; arguments && i < count; ++i) texts.push_back(skimdex::Narrow(arguments[i]));
  LocalFree(arguments);
  return texts;
}

int main() {
  try {
    return skimdex::Run(Arguments());
  } catch (const std::exception& error) {
    skimdex::Write(STD_ERROR_HANDLE, skimdex::FromCp932(error.what()) + "\r\n");
    return skimdex::kFailed;
  }
}
