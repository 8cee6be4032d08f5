#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs ended from outside, as the task manager or a crash ends them: the pages they leave.
namespace skimdex::testing {

struct Pages {
  std::string frame, listing;
  bool operator==(const Pages&) const = default;
};

// The frame page `frame_page` and its listing page, as they are on disk.
Pages ReadPages(const std::string& frame_page);
void WritePages(const std::string& frame_page, const Pages& pages);

// The temporary files a run left in `folder`.
std::vector<std::string> TemporaryFilesIn(const std::string& folder);

// How many runs a kill test ends, and over how many pages: small for the tests, as the environment
// sets them (SKIMDEX_KILL_MOMENTS, SKIMDEX_KILL_PAGES) for the benchmark's long version.
int KillMoments(int fallback);
int KillPages(int fallback);

// Ends `moments` runs at moments spread evenly over `run_ms`. Each begins with the pages put back to
// `before` and `start` starting a run, whose process it gives back; after each, every page is byte for
// byte either `before`'s or `after`'s.
void ExpectKilledRunsLeaveWholePages(const std::string& frame_page, const Pages& before, const Pages& after,
                                     int moments, DWORD run_ms, const std::function<HANDLE()>& start);

}  // namespace skimdex::testing
