#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gui/driver.h"
#include "support/run_program.h"
#include "support/stored_settings.h"
#include "support/temp_folder.h"
#include "support/test_guard.h"
#include "text/directory.h"

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

}  // namespace skimdex::gui
