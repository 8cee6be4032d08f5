#include "gui/help_driver.h"

#include <vector>

#include "ui/config_resource.h"
#include "ui/resource.h"

namespace skimdex::gui {

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

HWND HelpViewer() { return FindWindowA("MS_WINHELP", nullptr); }

// The topic pane is a rich edit control. Under Wine it answers WM_GETTEXTLENGTH from another process
// with 0, so the text is asked for with a buffer that fits any topic.
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

std::string ShownTitle(HWND viewer, const std::string& expected) {
  std::string title;
  WaitUntil([&] {
    const std::string text = TopicText(viewer);
    title = text.substr(0, text.find('\r'));
    return title == expected;
  });
  return title;
}

HWND AskConfigHelp(Program& program) {
  program.Command(IDM_CONFIG);
  // Skimdexの設定
  const HWND dialog = program.Window("Skimdex\x82\xCC\x90\xDD\x92\xE8", "#32770");
  if (dialog) Click(GetDlgItem(dialog, IDC_CONFIG_HELPBTN));
  return dialog;
}

void CloseHelpViewers() {
  for (HWND viewer = HelpViewer(); viewer; viewer = HelpViewer()) {
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(viewer); })) return;
  }
}

}  // namespace skimdex::gui
