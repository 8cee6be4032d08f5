// Scenarios of the help requests: the real Skimdex.exe asks Wine's help viewer for topics of its
// own help file, Skimdex.hlp beside it.
#include "gui/scenario.h"

#include <vector>

#include "ui/config_resource.h"
#include "ui/resource.h"

namespace skimdex::gui {
namespace {

// Skimdexの設定
const std::string kConfigCaption = "Skimdex\x82\xCC\x90\xDD\x92\xE8";
// The topics' titles, each its topic's first paragraph: 環境設定ダイアログ, 目次
const std::string kConfigTopic = "\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8\x83\x5F\x83\x43\x83\x41\x83\x8D\x83\x4F";
const std::string kContentsTopic = "\x96\xDA\x8E\x9F";

// The viewer (winhlp32) is a process of its own, started by the program's first request.
HWND Viewer() { return FindWindowA("MS_WINHELP", nullptr); }

BOOL CALLBACK CollectChild(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// The text of the viewer's topic pane, a rich edit control. Under Wine it answers WM_GETTEXTLENGTH
// from another process with 0, so the text is asked for with a buffer of a size that fits any topic.
std::string TopicText(HWND viewer) {
  constexpr std::size_t kTopicSize = 1 << 16;
  std::vector<HWND> children;
  EnumChildWindows(viewer, CollectChild, reinterpret_cast<LPARAM>(&children));
  for (const HWND child : children) {
    if (!ClassOf(child).starts_with("RichEdit")) continue;
    std::string text(kTopicSize, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        kPatience, &copied);
    return text.substr(0, copied);
  }
  return "<no topic pane>";
}

// The first paragraph of the shown topic, once the viewer shows one.
std::string ShownTitle(HWND viewer, const std::string& expected) {
  std::string title;
  WaitUntil([&] {
    const std::string text = TopicText(viewer);
    title = text.substr(0, text.find('\r'));
    return title == expected;
  });
  return title;
}

class HelpRequests : public Scenario {
 protected:
  // A failing scenario leaves no viewer for the next one.
  ~HelpRequests() override {
    for (HWND viewer = Viewer(); viewer; viewer = Viewer()) {
      PostMessageA(viewer, WM_CLOSE, 0, 0);
      if (!WaitUntil([&] { return !IsWindow(viewer); })) break;
    }
  }
};

TEST_F(HelpRequests, ConfigHelpAndContentsShowTheirTopicsAndClosingTheProgramEndsTheViewer) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  Program program(SkimdexPath(), out);
  program.Command(IDM_CONFIG);
  const HWND dialog = program.Window(kConfigCaption, "#32770");
  ASSERT_NE(dialog, nullptr);
  Click(GetDlgItem(dialog, IDC_CONFIG_HELPBTN));
  HWND viewer = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (viewer = Viewer()) != nullptr; }));
  EXPECT_EQ(ShownTitle(viewer, kConfigTopic), kConfigTopic);
  Click(GetDlgItem(dialog, IDCANCEL));

  program.Command(IDM_HELP_CONTENTS);
  EXPECT_EQ(ShownTitle(viewer, kContentsTopic), kContentsTopic);
  EXPECT_EQ(Viewer(), viewer) << "the contents showed in a second viewer";

  PostMessageA(program.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitExit());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }));
}

}  // namespace
}  // namespace skimdex::gui
