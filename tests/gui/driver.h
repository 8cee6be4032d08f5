#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives the real Skimdex.exe from another process with ordinary window messages and input, the way
// a user would: find windows by caption and class, click, type, read texts and the status line.
namespace skimdex::gui {

// The longest a scenario waits for the program before it counts as stuck, in milliseconds.
constexpr DWORD kPatience = 10000;

// The shell folder browser's tree and status text.
constexpr int kBrowserTree = 0x3741;
constexpr int kBrowserStatus = 0x3743;

// Polls `ready` until it holds; false when `timeout_ms` passed first.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeout_ms = kPatience);

std::string TextOf(HWND window);
// The text of a Unicode control, as UTF-16, and its length in UTF-16 units.
std::wstring UnicodeTextOf(HWND window);
std::size_t UnicodeLengthOf(HWND window);
std::string ClassOf(HWND window);
// The descendant of `parent` with that control id.
HWND FindById(HWND parent, int id);
// The texts of every static control in `parent`, joined by line ends: a message box's message.
std::string StaticTexts(HWND parent);

// BM_CLICK, posted so the driver never waits for what the click starts.
void Click(HWND button);
// A real left click (SendInput) at the centre of `window`, which takes the focus as a user's would.
void MouseClick(HWND window);
// The control with the keyboard focus in `window`'s thread.
HWND FocusIn(HWND window);
// Waits until `control` has the keyboard focus of its thread.
bool WaitFocus(HWND control, DWORD timeout_ms = kPatience);
// Moves the pointer to the centre of `window`.
void PointAt(HWND window);
// Keys sent to the window that has the keyboard focus, with a modifier (VK_MENU, VK_SHIFT) held.
void PressKey(WORD virtual_key, WORD modifier = 0);
// Digits and letters, typed as their keys.
void TypeText(const std::string& keys);

// Drags `paths` onto `point` of `window`'s client area as Explorer does, through drag_files.exe beside
// the tests: 0 when the target took the drop, 1 when it refused it. The calling thread's messages are
// handled meanwhile, so the target may be a window of the caller's own.
DWORD DragFiles(HWND window, POINT point, const std::vector<std::string>& paths);

// Lists every folder on `path` once. Wine's shell ID lists carry a folder's access time, which the
// first read after a change renews: the folder browser matches a preselected folder only after that.
void ReadEveryFolderOn(const std::string& path);

// A running Skimdex.exe; a scenario that fails midway leaves no process behind.
class Program {
 public:
  // Starts `path` in `folder` and waits for its main window to show.
  Program(const std::string& path, const std::string& folder, bool wait_for_main_window = true);
  // Starts it with `arguments` after its name on the command line.
  Program(const std::string& path, const std::string& folder, const std::string& arguments,
          bool wait_for_main_window);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND Main();
  // A visible top-level window of this process with `caption`; dialogs and message boxes are
  // "#32770". Nullptr after the timeout.
  HWND Window(const std::string& caption, const std::string& class_name, DWORD timeout_ms = kPatience) const;
  // A visible dialog of this process holding a control of `child_class` (the shell's folder browser).
  HWND DialogWith(const std::string& child_class, DWORD timeout_ms = kPatience) const;
  // Answers the message box titled `title` with button `answer` (IDOK, IDCANCEL) and gives back its
  // message; "<no box>" when none came.
  std::string AnswerMessageBox(const std::string& title, int answer);
  // The main window's command (ui/resource.h), as the toolbar or menu sends it.
  void Command(int command);
  // The main window's status line (simple mode), read through memory in the program.
  std::string StatusLine();
  // The label of the highlighted item of a tree view in the program.
  std::string TreeSelection(HWND tree_view);
  bool WaitText(HWND window, const std::string& text, DWORD timeout_ms = kPatience) const;
  bool WaitExit(DWORD timeout_ms = kPatience) const;
  // A handle of the program's process of the caller's own, to close when done.
  HANDLE ProcessHandle() const;
  // Still processing input: a message round trip answers within the timeout.
  bool Responsive();

 private:
  HWND TopWindow(const std::function<bool(HWND)>& wanted, DWORD timeout_ms) const;
  // Sends a message whose answer the control writes to memory: `size` bytes in the program, filled
  // by `fill` with that memory's address first; the bytes read back afterwards.
  std::string SendForMemory(HWND control, UINT message, WPARAM wparam, std::size_t size,
                            const std::function<std::string(char* remote)>& fill);

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace skimdex::gui
