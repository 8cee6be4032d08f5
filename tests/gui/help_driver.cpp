#include "gui/help_driver.h"

#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"
#include "text/directory.h"
#include "ui/config_resource.h"
#include "ui/resource.h"

namespace skimdex::gui {

namespace {

constexpr char kExtensionKey[] = "Software\\Classes\\.html";
constexpr char kCommandKey[] = "Software\\Classes\\htmlfile\\shell\\open\\command";

std::string DefaultValue(const char* key) {
  char text[1024] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return {};
  }
  return text;
}

// An empty text removes the value, as it was before when it was missing.
void SetDefaultValue(const char* key, const std::string& text) {
  if (text.empty()) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key, nullptr);
    return;
  }
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, text.c_str(),
                  static_cast<DWORD>(text.size() + 1));
}

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

BrowserStandIn::BrowserStandIn(const std::string& log_file)
    : log_file_(log_file),
      extension_class_(DefaultValue(kExtensionKey)),
      command_(DefaultValue(kCommandKey)) {
  SetDefaultValue(kExtensionKey, "htmlfile");
  SetDefaultValue(kCommandKey, testing::Quoted(ProgramFolder() + "open_recorder.exe") + " \"%1\"");
  SetEnvironmentVariableA("SKIMDEX_OPEN_LOG", log_file.c_str());
}

BrowserStandIn::~BrowserStandIn() {
  SetDefaultValue(kExtensionKey, extension_class_);
  SetDefaultValue(kCommandKey, command_);
  SetEnvironmentVariableA("SKIMDEX_OPEN_LOG", nullptr);
}

std::string BrowserStandIn::Opened() const {
  const std::string text = testing::ReadWholeFile(log_file_);
  return text == "<missing>" ? "" : text;
}

}  // namespace skimdex::gui
