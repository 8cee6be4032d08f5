// Scenarios of the help requests: the real Skimdex.exe opens the pages of its manual in the browser,
// and asks Wine's help viewer for the topics of Skimdex.hlp where the manual is missing.
#include "gui/help_driver.h"
#include "gui/scenario.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

class HelpRequests : public Scenario {
 protected:
  // A failing scenario leaves no viewer for the next one.
  ~HelpRequests() override { CloseHelpViewers(); }
};

TEST_F(HelpRequests, EachRequestOpensItsPageOfTheManualInTheBrowser) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const BrowserStandIn browser(temp.Path() + "\\opened.txt");
  Program program(SkimdexPath(), out);
  std::string expected;
  const auto opens = [&](const std::string& page) {
    expected += ProgramFolder() + "help\\" + page + "\n";
    return WaitUntil([&] { return browser.Opened() == expected; });
  };
  program.Command(IDM_HELP_CONTENTS);
  EXPECT_TRUE(opens("index.html")) << browser.Opened();
  program.Command(IDM_HELP_SEARCH);
  EXPECT_TRUE(opens("keywords.html")) << browser.Opened();
  program.Command(IDM_HELP_HOW_TO_USE);
  EXPECT_TRUE(opens("how-to-use.html")) << browser.Opened();
  const HWND dialog = AskConfigHelp(program);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(opens("config.html")) << browser.Opened();
  Click(GetDlgItem(dialog, IDCANCEL));
  EXPECT_EQ(HelpViewer(), nullptr);
  program.Command(IDM_EXIT);
  EXPECT_TRUE(program.WaitExit());
}

// A copy of the program with its help file and without the manual.
TEST_F(HelpRequests, WithoutTheManualConfigHelpAndContentsShowTheirTopicsAndClosingTheProgramEndsTheViewer) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const std::string bin = temp.Folder("bin");
  for (const char* file : {"Skimdex.exe", "Skimdex.hlp", "Skimdex.cnt"}) {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + file).c_str(), (bin + "\\" + file).c_str(), FALSE)) << file;
  }
  Program program(bin + "\\Skimdex.exe", out);
  const HWND dialog = AskConfigHelp(program);
  ASSERT_NE(dialog, nullptr);
  HWND viewer = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (viewer = HelpViewer()) != nullptr; }));
  EXPECT_EQ(ShownTitle(viewer, kConfigTopic), kConfigTopic);
  EXPECT_EQ(TextOf(viewer), kHelpTitle);
  Click(GetDlgItem(dialog, IDCANCEL));

  // Wine's viewer has no help topics window: the contents request shows the contents topic.
  program.Command(IDM_HELP_CONTENTS);
  EXPECT_EQ(ShownTitle(viewer, kContentsTopic), kContentsTopic);
  EXPECT_EQ(HelpViewer(), viewer) << "the contents showed in a second viewer";

  PostMessageA(program.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitExit());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }));
}

}  // namespace
}  // namespace skimdex::gui
