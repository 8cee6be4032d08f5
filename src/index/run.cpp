#include "index/run.h"

#include "index/frame_page.h"
#include "index/listing_page.h"
#include "index/walk.h"
#include "settings/settings.h"
#include "text/directory.h"
#include "text/path.h"

namespace skimdex {

namespace {

// The file a name gives the file calls now. A name the system's parsing would change is joined as it
// stands, as the calls take it then; an empty name stays empty: it names no file, which is reported.
std::string FileNamedNow(const std::string& name) {
  if (name.empty() || IsFullPath(name)) return name;
  return HoldsNameTheSystemWouldChange(name) ? JoinedToCurrentFolder(name) : FullPathOf(name);
}

}  // namespace

// A relative scan folder, stored or given, is made full here, so that the listing page's links name
// the pages.
RunSettings CurrentRunSettings() {
  return {.scan_folder = FullScanFolder(Current_path),
          .output_name = save_file_name,
          .output_file = FileNamedNow(save_file_name),
          .deepest = folder_level};
}

RunResult RunIndex(const RunSettings& settings, RunView& view, MessageBoxes& boxes, ProgressSink& progress) {
  TStringList list;
  view.SetCaption(kCaptionSeeking);
  ScanFolder(settings.scan_folder, list, 0, settings.deepest, progress);
  view.ShowScanList(list);
  view.SetCaption(kCaptionWriting);
  RunResult result = RunResult::FramePageNotWritten;
  if (ConfirmFramePage(settings.output_name, settings.output_file, boxes)) {
    WriteListingPage(settings.output_file, list, settings.scan_folder, progress);
    result = RunResult::PagesWritten;
  }
  view.SetCaption(kCaptionFinish);
  return result;
}

}  // namespace skimdex
