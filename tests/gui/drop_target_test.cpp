// The drop target under a real drag: drag_files drags items from a window of its own through the
// system's DoDragDrop onto a window of this test, which answers OLE's calls while it waits.
#include "ui/drop_target.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"
#include "support/test_guard.h"
#include "text/directory.h"
#include "text/wide.h"
#include "ui/shell_input.h"

namespace skimdex {
namespace {

constexpr DWORD kPatience = 20000;

class RecordingHost final : public DropHost {
 public:
  bool TakesDrops() const override { return takes_drops; }
  void Dropped(const std::vector<std::string>& paths) override {
    folders.push_back(DroppedScanFolder(paths));
  }

  bool takes_drops = true;
  std::vector<std::optional<std::string>> folders;
};

// A plain window away from the corner where drag_files starts its drags.
HWND CreateTargetWindow() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"SkimdexDropTest";
  RegisterClassW(&window_class);
  return CreateWindowExW(WS_EX_TOPMOST, window_class.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                         150, nullptr, nullptr, window_class.hInstance, nullptr);
}

// drag_files' exit status, 0 when the target took the drop; messages are pumped meanwhile.
DWORD DragOnto(HWND window, const std::vector<std::string>& paths) {
  std::string command = testing::Quoted(ProgramFolder() + "drag_files.exe");
  char handle[32];
  std::snprintf(handle, sizeof handle, " %llx 50 40",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  command += handle;
  for (const std::string& path : paths) command += " " + testing::Quoted(path);
  std::wstring wide_command = Wide(command);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, wide_command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 99;
  }
  CloseHandle(process.hThread);
  const ULONGLONG deadline = GetTickCount64() + kPatience;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount64() < deadline) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD status = 98;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return status;
}

TEST(FolderDropTarget, TakesFoldersAndFilesDraggedFromAnotherProcessButNotDuringARun) {
  SKIMDEX_REQUIRE_TEST_PREFIX();  // it moves the pointer of the test display
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  const testing::TempFolder temp;
  const std::string site = temp.Folder("site"), page = temp.File("site\\a.html");
  // café〜: no code page 932 form
  const std::string unicode = temp.UnicodeFolder("caf\xC3\xA9\xE3\x80\x9C");
  const std::string unicode_page = temp.UnicodeFile("caf\xC3\xA9\xE3\x80\x9C\\b.txt");
  const HWND window = CreateTargetWindow();
  ASSERT_NE(window, nullptr);
  RecordingHost host;
  {
    FolderDropTarget target(host);
    ASSERT_TRUE(target.Register(window));
    const struct {
      std::vector<std::string> paths;
      bool takes_drops;
      DWORD status;
      std::optional<std::string> folder;  // the scan folder the drop gave, if it was taken
    } cases[] = {
        {{site}, true, 0, site},
        {{page}, true, 0, site},
        {{page, unicode, site}, true, 0, unicode},
        {{unicode_page, page}, true, 0, unicode},
        {{site}, false, 1, std::nullopt},
    };
    for (const auto& c : cases) {
      host.takes_drops = c.takes_drops;
      host.folders.clear();
      EXPECT_EQ(DragOnto(window, c.paths), c.status) << ::testing::PrintToString(c.paths);
      const std::vector<std::optional<std::string>> dropped =
          c.folder ? std::vector{c.folder} : std::vector<std::optional<std::string>>{};
      EXPECT_EQ(host.folders, dropped) << ::testing::PrintToString(c.paths);
    }
  }
  DestroyWindow(window);
  OleUninitialize();
}

}  // namespace
}  // namespace skimdex
