#pragma once

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

// One index run over the settings as they stand now: walks Current_path, shows the scan list, writes
// the frame page save_file_name and then its listing page. An I/O error of the listing page is not
// caught: it leaves the caption at "Writing" and reaches the caller as EInOutError.
RunResult RunIndex(RunView& view, MessageBoxes& boxes, ProgressSink& progress);

}  // namespace skimdex
