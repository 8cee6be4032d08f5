#include "index/run.h"

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/samples.h"
#include "support/temp_folder.h"
#include "text/text_file.h"
#include "text/unicode.h"

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
       {"Seeking", "2 entries", "Writing", FromCp932(testing::OverwriteBox("").title), "Finish"},
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
      const RunResult result = RunIndex(CurrentRunSettings(), view, view, progress);
      outcome = result == RunResult::PagesWritten ? "written" : "not written";
    } catch (const EInOutError&) {
      outcome = "raised";
    }
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_EQ(view.events, c.events) << c.what;
  }
}

// The temporary files the run leaves in `folder`.
std::vector<std::string> Leftovers(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA((folder + "\\*.skimdex-tmp").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(entry.cFileName);
  while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

// Each write of the run failing in turn, and every one after it: the frame page shows its message; the
// listing page ends the run at "Writing" with its error. Either way the pages of the run before stay
// as they were, whole, and no temporary file is left.
TEST(RunIndex, FailedWriteAnywhere) {
  TempFolder temp;
  Current_path = temp.Folder("tree");
  temp.File("tree\\" + std::string(150, 'p') + ".html", "<title>P</title>");
  temp.File("tree\\q.html", "<title>Q</title>");
  save_file_name = temp.Path() + "\\out.dat";
  folder_level = 1;
  RecordingView view(MessageAnswer::Ok);
  NoProgress progress;
  RunIndex(CurrentRunSettings(), view, view, progress);
  const std::string listing = temp.Path() + "\\out_sub.html", whole = testing::ReadWholeFile(listing);
  const std::string frame = testing::ReadWholeFile(save_file_name);
  int listing_failures = 0;
  for (int n = 1; n < 100; ++n) {
    FailWriteForTesting(n, ERROR_HANDLE_DISK_FULL);
    view.events.clear();
    try {
      // No write was left to fail.
      if (RunIndex(CurrentRunSettings(), view, view, progress) == RunResult::PagesWritten) break;
      EXPECT_EQ(view.events, (std::vector<std::string>{"Seeking", "3 entries", "Writing",
                                                       FromCp932(testing::OverwriteBox("").title),
                                                       "Skimdex-I/O Error", "Finish"}));
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.Code(), ERROR_HANDLE_DISK_FULL);
      ++listing_failures;
    }
    EXPECT_EQ(testing::ReadWholeFile(save_file_name), frame) << n;
    EXPECT_EQ(testing::ReadWholeFile(listing), whole) << n;
    EXPECT_EQ(Leftovers(temp.Path()), std::vector<std::string>()) << n;
  }
  EXPECT_GT(listing_failures, 0);
  FailWriteForTesting(0, 0);
}

}  // namespace
}  // namespace skimdex
