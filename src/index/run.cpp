#include "index/run.h"

#include "index/frame_page.h"
#include "index/listing_page.h"
#include "index/walk.h"
#include "settings/settings.h"
#include "text/directory.h"

namespace skimdex {

RunResult RunIndex(RunView& view, MessageBoxes& boxes, ProgressSink& progress) {
  TStringList list;
  // A relative folder stored or given is made full here, so that the listing page's links name pages.
  const std::string scan_folder = FullScanFolder(Current_path);
  view.SetCaption(kCaptionSeeking);
  ScanFolder(scan_folder, list, 0, progress);
  view.ShowScanList(list);
  view.SetCaption(kCaptionWriting);
  RunResult result = RunResult::FramePageNotWritten;
  if (ConfirmFramePage(save_file_name, boxes)) {
    WriteListingPage(save_file_name, list, scan_folder, progress);
    result = RunResult::PagesWritten;
  }
  view.SetCaption(kCaptionFinish);
  return result;
}

}  // namespace skimdex
