// Scenarios of the help requests: the real Skimdex.exe asks Wine's help viewer for topics of its
// own help file, Skimdex.hlp beside it.
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

TEST_F(HelpRequests, ConfigHelpAndContentsShowTheirTopicsAndClosingTheProgramEndsTheViewer) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  Program program(SkimdexPath(), out);
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
