#include "index/run.h"

#include "index/frame_page.h"
#include "index/listing_page.h"
#include "index/walk.h"
#include "settings/settings.h"

namespace skimdex {

RunResult RunIndex(RunView& view, MessageBoxes& boxes, ProgressSink& progress) {
  TStringList list;
  view.SetCaption(kCaptionSeeking);
  ScanFolder(Current_path, list, 0, progress);
  view.ShowScanList(list);
  view.SetCaption(kCaptionWriting);
  RunResult result = RunResult::FramePageNotWritten;
  if (ConfirmFramePage(save_file_name, boxes)) {
    WriteListingPage(save_file_name, list, Current_path, progress);
    result = RunResult::PagesWritten;
  }
  view.SetCaption(kCaptionFinish);
  return result;
}

}  // namespace skimdex
