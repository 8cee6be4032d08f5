// The drop target under a real drag: drag_files drags items from a window of its own through the
// system's DoDragDrop onto a window of this test.
#include "ui/drop_target.h"

#include <gtest/gtest.h>

#include "gui/driver.h"
#include "support/temp_folder.h"
#include "support/test_guard.h"
#include "ui/shell_input.h"

namespace skimdex {
namespace {

class RecordingHost final : public DropHost {
 public:
  bool TakesDrops() const override { return takes_drops; }
  void Dropped(const std::vector<std::string>& paths) override {
    folders.push_back(DroppedScanFolder(paths));
  }

  bool takes_drops = true;
  std::vector<std::optional<std::string>> folders;
};

HWND CreateTargetWindow() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.lpszClassName = L"SkimdexDropTest";
  RegisterClassW(&window_class);
  return CreateWindowExW(WS_EX_TOPMOST, window_class.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                         150, nullptr, nullptr, nullptr, nullptr);
}

TEST(FolderDropTarget, TakesFoldersAndFilesDraggedFromAnotherProcessButNotDuringARun) {
  SKIMDEX_REQUIRE_TEST_PREFIX();  // it moves the pointer of the test display
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  const testing::TempFolder temp;
  const std::string site = temp.Folder("site"), page = temp.File("site\\a.html");
  const std::string unicode = temp.UnicodeFolder("caf\xC3\xA9\xE3\x80\x9C");  // café〜
  const std::string unicode_page = temp.UnicodeFile("caf\xC3\xA9\xE3\x80\x9C\\b.txt");
  const HWND window = CreateTargetWindow();
  RecordingHost host;
  FolderDropTarget target(host);
  ASSERT_TRUE(target.Register(window));
  const struct {
    std::vector<std::string> paths;
    bool takes_drops;
    DWORD status;
    std::vector<std::optional<std::string>> folders;  // the scan folder of each drop taken
  } cases[] = {
      {{site}, true, 0, {site}},
      {{page}, true, 0, {site}},
      {{page, unicode, site}, true, 0, {unicode}},
      {{unicode_page, page}, true, 0, {unicode}},
      {{site}, false, 1, {}},
  };
  for (const auto& c : cases) {
    host.takes_drops = c.takes_drops;
    host.folders.clear();
    EXPECT_EQ(gui::DragFiles(window, {50, 40}, c.paths), c.status) << ::testing::PrintToString(c.paths);
    EXPECT_EQ(host.folders, c.folders) << ::testing::PrintToString(c.paths);
  }
  target.Revoke();
  DestroyWindow(window);
  OleUninitialize();
}

}  // namespace
}  // namespace skimdex
