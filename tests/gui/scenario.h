#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "gui/driver.h"
#include "support/run_program.h"
#include "support/stored_settings.h"
#include "support/temp_folder.h"
#include "support/test_guard.h"
#include "text/directory.h"
#include "ui/resource.h"

namespace skimdex::gui {

// A scenario owns a temporary tree, an output folder (the program's current folder) and the
// program's registry key, which it starts empty.
class Scenario : public ::testing::Test {
 protected:
  Scenario() : tree(temp.Folder("tree")), out(temp.Folder("out")) {}

  static std::string SkimdexPath() { return ProgramFolder() + "Skimdex.exe"; }

  // Pages of each listed kind and code, in nested folders, one below the depth limit of 1.
  void BuildTree() const {
    temp.File("tree\\index.html", "<HTML><TITLE>\x83\x67\x83\x62\x83\x76</TITLE>\r\n");  // トップ
    temp.Folder("tree\\\x95\x5C");                                                       // 表
    temp.File("tree\\\x95\x5C\\e.htm", "<title>\xC6\xFC\xB5\xAD</title>\n");             // 日記 in EUC-JP
    temp.Folder("tree\\\x95\x5C\\deep");
    temp.File("tree\\\x95\x5C\\deep\\d.txt", "<title>D</title>");
    temp.File("tree\\notes.txt");
  }

  // What SkimdexCmd prints and writes for these settings: the scan list.
  testing::Outcome ConsoleRun(const std::string& depth, const std::string& output) const {
    return testing::RunProgram(ProgramFolder() + "SkimdexCmd.exe", {"--depth", depth, "--yes", tree, output},
                               out);
  }

  void StoreRunSettings(const std::string& depth, const std::string& output) const {
    settings.Set("Config", "IniSeekDir", tree);
    settings.Set("Config", "IniFileName", output);
    settings.Set("Config", "FolderLevel", depth);
  }

  testing::TempFolder temp;
  testing::StoredSettings settings;
  std::string tree, out;
};

// The memo after runs that printed these scan lists: each run's lines appended after a line end.
inline std::string MemoAfter(const std::string& first_run, const std::string& second_run = {}) {
  const std::string both = first_run + second_run;
  return both.substr(0, both.size() - 2);
}

// The progress bar after a run whose listing page was written: at its maximum, the last entry's index.
inline std::pair<int, int> ProgressAfter(const std::string& scan_list) {
  const auto entries = static_cast<int>(std::count(scan_list.begin(), scan_list.end(), '\n'));
  return {entries - 1, entries - 1};
}

inline std::pair<int, int> ProgressOf(Program& program) {
  const HWND bar = GetDlgItem(program.Main(), IDC_PROGRESS);
  return {static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)),
          static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0))};
}

inline HWND StartButton(Program& program) { return GetDlgItem(program.Main(), IDM_START); }
inline HWND Memo(Program& program) { return GetDlgItem(program.Main(), IDC_MEMO); }

// The memo of a big run, which catches up after "Finish": read once it is as long as `expected`, a
// text in ASCII.
inline std::string MemoOnceFilled(Program& program, const std::string& expected) {
  WaitUntil([&] { return UnicodeLengthOf(Memo(program)) >= expected.size(); }, 60000);
  return TextOf(Memo(program));
}

}  // namespace skimdex::gui
