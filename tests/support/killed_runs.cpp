#include "support/killed_runs.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_folder.h"

namespace skimdex::testing {
namespace {

std::string ListingPageOf(const std::string& frame_page) {
  return frame_page.substr(0, frame_page.rfind('.')) + "_sub.html";
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

int FromEnvironment(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text ? std::atoi(text) : fallback;
}

}  // namespace

Pages ReadPages(const std::string& frame_page) {
  return {ReadWholeFile(frame_page), ReadWholeFile(ListingPageOf(frame_page))};
}

void WritePages(const std::string& frame_page, const Pages& pages) {
  WriteWholeFile(frame_page, pages.frame);
  WriteWholeFile(ListingPageOf(frame_page), pages.listing);
}

std::vector<std::string> TemporaryFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const char* pattern : {"\\*.skimdex-tmp", "\\~skimdex-*.tmp"}) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) continue;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  return names;
}

int KillMoments(int fallback) { return FromEnvironment("SKIMDEX_KILL_MOMENTS", fallback); }
int KillPages(int fallback) { return FromEnvironment("SKIMDEX_KILL_PAGES", fallback); }

void ExpectKilledRunsLeaveWholePages(const std::string& frame_page, const Pages& before, const Pages& after,
                                     int moments, DWORD run_ms, const std::function<HANDLE()>& start) {
  int killed_running = 0;
  for (int k = 1; k <= moments; ++k) {
    WritePages(frame_page, before);
    const HANDLE process = start();
    if (!process) return;
    Sleep(run_ms * k / (moments + 1));
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ++killed_running;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    const Pages left = ReadPages(frame_page);
    EXPECT_TRUE(left.frame == before.frame || left.frame == after.frame) << "moment " << k;
    EXPECT_TRUE(left.listing == before.listing || left.listing == after.listing)
        << "moment " << k << ": " << left.listing.size() << " bytes";
  }
  EXPECT_GT(killed_running, moments / 2) << "most runs ended before they were killed";
}

}  // namespace skimdex::testing
