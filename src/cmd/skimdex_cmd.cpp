// SkimdexCmd: one index run from the console, as the Start button runs it.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cmd/command_line.h"
#include "index/run.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "text/cp932.h"
#include "text/text_file.h"

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

void Write(FILE* stream, const std::string& bytes) {
  fwrite(bytes.data(), 1, bytes.size(), stream);
  fflush(stream);
}

// Message boxes as text on standard error; questions take the answer given on the command line.
class ConsoleBoxes final : public MessageBoxes {
 public:
  explicit ConsoleBoxes(bool overwrite) : overwrite_(overwrite) {}
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons) override {
    Write(stderr, title + "\r\n" + text + "\r\n");
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return overwrite_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
  }

 private:
  bool overwrite_;
};

// What the command line omits comes from the stored settings, which a console run never changes.
void TakeSettings(const CommandLine& line) {
  LoadSettingsReadOnly({.scan_folder = !line.folder, .file_name = !line.output, .folder_level = !line.depth});
  if (line.folder) Current_path = *line.folder;
  if (line.output) save_file_name = *line.output;
  if (line.depth) folder_level = *line.depth;
}

// The scan list on standard output, the captions nowhere: a console has no Start button.
class ConsoleView final : public RunView {
 public:
  void SetCaption(const std::string&) override {}
  void ShowScanList(const TStringList& list) override {
    std::string text;
    for (const std::string& entry : list) text.append(entry).append("\r\n");
    Write(stdout, text);
  }
};

int RunIndex(const CommandLine& line) {
  TakeSettings(line);
  ConsoleView view;
  ConsoleBoxes boxes(line.overwrite);
  NoProgress progress;
  try {
    if (RunIndex(view, boxes, progress) == RunResult::FramePageNotWritten) return kFramePageNotWritten;
  } catch (const EInOutError& error) {
    Write(stderr, error.Message() + "\r\n");
    return kListingPageFailed;
  }
  return kWritten;
}

int Run(const std::vector<std::string>& arguments) {
  std::optional<CommandLine> line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const EConvertError& error) {
    Write(stderr, error.Message() + "\r\n");
  }
  if (!line) {
    Write(stderr, kUsageText);
    return kBadUsage;
  }
  if (line->help) {
    Write(stdout, kUsageText);
    return kWritten;
  }
  return RunIndex(*line);
}

}  // namespace
}  // namespace skimdex

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  try {
    return skimdex::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    skimdex::Write(stderr, std::string(error.what()) + "\r\n");
    return skimdex::kFailed;
  }
}
