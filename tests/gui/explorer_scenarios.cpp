// Scenarios of a folder taken from Explorer, driving the real Skimdex.exe: given on its command line,
// missing, and dragged onto the window.
#include "gui/scenario.h"

namespace skimdex::gui {
namespace {

using testing::ReadWholeFile;
using testing::TextValue;

// スキャンするフォルダ: , the status line's notice before the folder's name.
constexpr char kNotice[] = "\x83\x58\x83\x4C\x83\x83\x83\x93\x82\xB7\x82\xE9\x83\x74\x83\x48\x83\x8B\x83\x5F: ";

class FromExplorer : public Scenario {
 protected:
  // The program as an Explorer verb starts it: in a folder the user never chose.
  Program StartedWith(const std::string& arguments, bool wait_for_main_window = true) {
    return Program(SkimdexPath(), temp.Folder("verb"), arguments, wait_for_main_window);
  }
};

// FOLDER is the next run's scan folder, and a bare output name goes to the output folder setting.
TEST_F(FromExplorer, FolderOnTheCommandLineIsIndexedIntoTheOutputFolder) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  temp.File("tree\\a.html", "<title>A</title>");
  settings.Set("Config", "IniFileName", "verb.html");
  settings.Set("Config", "IniFilePath", out);
  Program program = StartedWith(testing::Quoted(tree + "\\"));
  Click(StartButton(program));
  ASSERT_TRUE(program.WaitText(StartButton(program), "Finish"));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter("1" + tree + "\\a.html\r\n0\r\n"));
  EXPECT_NE(ReadWholeFile(out + "\\verb_sub.html").find(">A</A>"), std::string::npos);
  program.Command(IDM_EXIT);
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue(tree));
  EXPECT_EQ(settings.Get("Config", "IniFileName"), TextValue("verb.html"));
}

TEST_F(FromExplorer, MissingFolderIsNamedAndTheStoredFolderKept) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  settings.Set("Config", "IniSeekDir", tree);
  const std::string missing = temp.Path() + "\\gone";
  Program program = StartedWith(testing::Quoted(missing), false);
  // フォルダ「<name>」が見つかりません。
  EXPECT_EQ(program.AnswerMessageBox("Skimdex", IDOK),
            "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x75" + missing +
                "\x81\x76\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42");
  program.Command(IDM_EXIT);
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue(tree));
}

// A dropped folder is taken as it is, a dropped file gives its folder; the notice stays.
TEST_F(FromExplorer, DroppedFolderOrFileBecomesTheScanFolder) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const std::string dropped = temp.Folder("dropped"), page = temp.File("tree\\p.html");
  Program program(SkimdexPath(), out);
  EXPECT_EQ(DragFiles(program.Main(), {20, 60}, {dropped}), 0u);
  EXPECT_TRUE(WaitUntil([&] { return program.StatusLine() == kNotice + dropped; })) << program.StatusLine();
  EXPECT_EQ(DragFiles(program.Main(), {20, 60}, {page}), 0u);
  EXPECT_TRUE(WaitUntil([&] { return program.StatusLine() == kNotice + tree; })) << program.StatusLine();
  program.Command(IDM_EXIT);
  ASSERT_TRUE(program.WaitExit());
  EXPECT_EQ(settings.Get("Config", "IniSeekDir"), TextValue(tree));
}

}  // namespace
}  // namespace skimdex::gui
