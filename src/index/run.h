#pragma once

#include <cstdint>
#include <string>

#include "index/message_box.h"
#include "index/progress.h"
#include "text/string_list.h"

namespace skimdex {

// The captions of the Start button, which are the run's only state.
constexpr char kCaptionStart[] = "Start";
constexpr char kCaptionSeeking[] = "Seeking";
constexpr char kCaptionWriting[] = "Writing";
constexpr char kCaptionFinish[] = "Finish";

// Whoever hosts an index run: the main window, the console front end, the tests.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // Every scan entry of the run, in order and unchanged, end markers included.
  virtual void ShowScanList(const TStringList& list) = 0;
};

enum class RunResult { PagesWritten, FramePageNotWritten };

// What a run works on, taken once when it starts: a setting changed during the run is for the next.
struct RunSettings {
  std::string scan_folder;
  std::string output_name;   // as the user gave it, which every message shows
  std::string output_file;   // the same file for the file calls, resolved when the settings were taken
  std::int32_t deepest = 0;  // the deepest folder level listed
};

// The process-wide settings as they stand now, a bare or relative output name resolved against the
// current folder at this moment.
RunSettings CurrentRunSettings();

// One index run: walks the scan folder, shows the scan list, writes the frame page and then its listing
// page. An I/O error of the listing page is not caught: it leaves the caption at "Writing" and reaches
// the caller as EInOutError.
RunResult RunIndex(const RunSettings& settings, RunView& view, MessageBoxes& boxes, ProgressSink& progress);

}  // namespace skimdex
