#include "index/run.h"

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/temp_folder.h"
#include "text/text_file.h"

namespace skimdex {
namespace {

using testing::TempFolder;

// Records captions and scan lists in one sequence; answers every question with `answer`.
class RecordingView : public RunView, public MessageBoxes {
 public:
  explicit RecordingView(MessageAnswer answer) : answer_(answer) {}
  void SetCaption(const std::string& caption) override { events.push_back(caption); }
  void ShowScanList(const TStringList& list) override {
    events.push_back(std::to_string(list.Count()) + " entries");
  }
  MessageAnswer Show(const std::string&, const std::string& title, MessageButtons) override {
    events.push_back(title);
    return answer_;
  }
  std::vector<std::string> events;

 private:
  MessageAnswer answer_;
};

struct RunCase {
  const char* what;
  std::string existing;  // "file" at the frame page's name, or "folder" at the listing page's
  MessageAnswer answer;
  std::vector<std::string> events;
  const char* outcome;
};

TEST(RunIndex, CaptionsFollowTheRun) {
  const RunCase cases[] = {
      {"both pages", "", MessageAnswer::Ok, {"Seeking", "2 entries", "Writing", "Finish"}, "written"},
      {"overwrite refused",
       "file",
       MessageAnswer::Cancel,
       {"Seeking", "2 entries", "Writing",
        "Skimdex-\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48", "Finish"},
       "not written"},
      {"listing page fails", "folder", MessageAnswer::Ok, {"Seeking", "2 entries", "Writing"}, "raised"},
  };
  for (const RunCase& c : cases) {
    TempFolder temp;
    temp.File("a.html");
    Current_path = temp.Path();
    save_file_name = temp.Path() + "\\out.dat";  // not a page of the walked folder
    folder_level = 1;
    if (c.existing == "file") temp.File("out.dat", "old");
    if (c.existing == "folder") temp.Folder("out_sub.html");
    RecordingView view(c.answer);
    NoProgress progress;
    std::string outcome;
    try {
      outcome = RunIndex(view, view, progress) == RunResult::PagesWritten ? "written" : "not written";
    } catch (const EInOutError&) {
      outcome = "raised";
    }
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_EQ(view.events, c.events) << c.what;
  }
}

// Each write of the run failing in turn: the frame page shows its message, the listing page ends the
// run at "Writing" with its error and keeps what was written before.
TEST(RunIndex, FailedWriteAnywhere) {
  TempFolder temp;
  temp.Folder("tree");
  temp.File("tree\\a.html", "<title>A</title>");
  Current_path = temp.Path() + "\\tree";
  save_file_name = temp.Path() + "\\out.dat";
  folder_level = 1;
  RecordingView view(MessageAnswer::Ok);
  NoProgress progress;
  RunIndex(view, view, progress);
  const std::string whole = testing::ReadWholeFile(temp.Path() + "\\out_sub.html");
  int listing_failures = 0;
  for (int n = 1; n < 100; ++n) {
    DeleteFileA(save_file_name.c_str());
    FailWriteForTesting(n, ERROR_HANDLE_DISK_FULL);
    view.events.clear();
    try {
      if (RunIndex(view, view, progress) == RunResult::PagesWritten) break;
      EXPECT_EQ(view.events, (std::vector<std::string>{"Seeking", "2 entries", "Writing", "Skimdex-I/O Error", "Finish"}));
    } catch (const EInOutError& error) {
      ++listing_failures;
      EXPECT_EQ(error.Code(), ERROR_HANDLE_DISK_FULL);
      EXPECT_EQ(view.events, (std::vector<std::string>{"Seeking", "2 entries", "Writing"}));
      const std::string kept = testing::ReadWholeFile(temp.Path() + "\\out_sub.html");
      EXPECT_EQ(whole.compare(0, kept.size(), kept), 0) << n;
    }
  }
  FailWriteForTesting(0, 0);
  EXPECT_GT(listing_failures, 1);
}

}  // namespace
}  // namespace skimdex
