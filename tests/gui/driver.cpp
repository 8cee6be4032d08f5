#include "gui/driver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "gui/send_mouse.h"
#include "support/run_program.h"
#include "text/directory.h"
#include "text/wide.h"
#include "ui/resource.h"

namespace skimdex::gui {

namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 5000;

BOOL CALLBACK Collect(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopWindowsOf(DWORD process_id) {
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [&](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner != process_id || !IsWindowVisible(window);
  });
  return windows;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

POINT CentreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void SendKey(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& ready, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!ready()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
    return "<busy>";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                      kSendTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::size_t UnicodeLengthOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
  return length;
}

std::wstring UnicodeTextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
    return L"<busy>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                      kSendTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND FindById(HWND parent, int id) {
  for (const HWND child : ChildrenOf(parent)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  ADD_FAILURE() << "no control " << id << " found";
  return nullptr;
}

std::string StaticTexts(HWND parent) {
  std::string texts;
  for (const HWND child : ChildrenOf(parent)) {
    const std::string text = _stricmp(ClassOf(child).c_str(), "Static") == 0 ? TextOf(child) : "";
    if (!text.empty()) texts += (texts.empty() ? "" : "\r\n") + text;
  }
  return texts;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void MouseClick(HWND window) {
  const POINT centre = CentreOf(window);
  SendMouse(centre, 0);
  SendMouse(centre, MOUSEEVENTF_LEFTDOWN);
  SendMouse(centre, MOUSEEVENTF_LEFTUP);
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool WaitFocus(HWND control, DWORD timeout_ms) {
  return WaitUntil([&] { return FocusIn(control) == control; }, timeout_ms);
}

void PointAt(HWND window) {
  // Two moves inside the control, so the program sees movement even if the pointer rested there.
  RECT rect{};
  GetWindowRect(window, &rect);
  SendMouse({rect.left + 1, rect.top + 1}, 0);
  SendMouse(CentreOf(window), 0);
}

void PressKey(WORD virtual_key, WORD modifier) {
  if (modifier) SendKey(modifier, false);
  SendKey(virtual_key, false);
  SendKey(virtual_key, true);
  if (modifier) SendKey(modifier, true);
}

void TypeText(const std::string& keys) {
  for (const char key : keys) PressKey(LOBYTE(VkKeyScanA(key)));
}

DWORD DragFiles(HWND window, POINT point, const std::vector<std::string>& paths) {
  std::string command = testing::Quoted(ProgramFolder() + "drag_files.exe");
  char target[64];
  std::snprintf(target, sizeof target, " %llx %ld %ld",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), point.x, point.y);
  command += target;
  for (const std::string& path : paths) command.append(" ").append(testing::Quoted(path));
  // Wide, for names code page 932 cannot spell.
  std::wstring wide_command = Wide(command);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, wide_command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return ~DWORD{0};
  }
  CloseHandle(process.hThread);
  const ULONGLONG deadline = GetTickCount64() + 2 * kPatience;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kPollMs, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount64() < deadline) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  TerminateProcess(process.hProcess, ~DWORD{0});  // if it hangs
  DWORD status = ~DWORD{0};
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return status;
}

void ReadEveryFolderOn(const std::string& path) {
  for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1)) {
    WIN32_FIND_DATAA entry;
    FindClose(FindFirstFileA((path.substr(0, end) + "\\*").c_str(), &entry));
  }
  WIN32_FIND_DATAA entry;
  FindClose(FindFirstFileA((path + "\\*").c_str(), &entry));
}

Program::Program(const std::string& path, const std::string& folder, bool wait_for_main_window)
    : Program(path, folder, "", wait_for_main_window) {}

Program::Program(const std::string& path, const std::string& folder, const std::string& arguments,
                 bool wait_for_main_window) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command_line = testing::Quoted(path) + (arguments.empty() ? "" : " " + arguments);
  if (!CreateProcessA(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process_)) {
    ADD_FAILURE() << "cannot start " << path << ": " << GetLastError();
    return;
  }
  if (wait_for_main_window) Main();
}

Program::~Program() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kPatience);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

HWND Program::Main() {
  // Error boxes at start-up share the caption; the main window is the one that is no dialog.
  if (!main_) {
    WaitUntil([&] {
      for (const HWND window : TopWindowsOf(process_.dwProcessId)) {
        if (TextOf(window) == "Skimdex" && ClassOf(window) != "#32770") main_ = window;
      }
      return main_ != nullptr;
    });
  }
  EXPECT_NE(main_, nullptr) << "the main window did not show";
  return main_;
}

HWND Program::TopWindow(const std::function<bool(HWND)>& wanted, DWORD timeout_ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (const HWND window : TopWindowsOf(process_.dwProcessId)) {
          if (wanted(window)) found = window;
        }
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

HWND Program::Window(const std::string& caption, const std::string& class_name, DWORD timeout_ms) const {
  return TopWindow([&](HWND window) { return ClassOf(window) == class_name && TextOf(window) == caption; },
                   timeout_ms);
}

HWND Program::DialogWith(const std::string& child_class, DWORD timeout_ms) const {
  return TopWindow(
      [&](HWND window) {
        return ClassOf(window) == "#32770" && FindWindowExA(window, nullptr, child_class.c_str(), nullptr);
      },
      timeout_ms);
}

std::string Program::AnswerMessageBox(const std::string& title, int answer) {
  const HWND box = Window(title, "#32770");
  if (!box) return "<no box>";
  const std::string message = StaticTexts(box);
  Click(GetDlgItem(box, answer));
  WaitUntil([&] { return !IsWindowVisible(box); });
  return message;
}

void Program::Command(int command) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }

std::string Program::SendForMemory(HWND control, UINT message, WPARAM wparam, std::size_t size,
                                   const std::function<std::string(char* remote)>& fill) {
  auto* remote =
      static_cast<char*>(VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return "<no memory>";
  const std::string request = fill(remote);
  WriteProcessMemory(process_.hProcess, remote, request.data(), request.size(), nullptr);
  SendMessageA(control, message, wparam, reinterpret_cast<LPARAM>(remote));
  std::string answer(size, '\0');
  ReadProcessMemory(process_.hProcess, remote, answer.data(), size, nullptr);
  VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
  return answer;
}

std::string Program::StatusLine() {
  const HWND status_line = GetDlgItem(Main(), IDC_STATUS);
  // The length counts characters (Wine keeps the text in UTF-16); one takes at most two bytes here.
  const std::size_t size = 2 * LOWORD(SendMessageA(status_line, SB_GETTEXTLENGTHA, 0, 0)) + 1;
  const std::string text = SendForMemory(status_line, SB_GETTEXTA, 0, size, [](char*) { return ""; });
  return text.substr(0, text.find('\0'));
}

std::string Program::TreeSelection(HWND tree_view) {
  constexpr std::size_t kLabelSize = 260;
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree_view, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.cchTextMax = kLabelSize;
  // The item record first, its label buffer right after it.
  const std::string answer =
      SendForMemory(tree_view, TVM_GETITEMA, 0, sizeof item + kLabelSize, [&](char* remote) {
        item.pszText = remote + sizeof item;
        return std::string(reinterpret_cast<const char*>(&item), sizeof item);
      });
  const std::string label = answer.substr(sizeof item);
  return item.hItem ? label.substr(0, label.find('\0')) : "<none>";
}

bool Program::WaitText(HWND window, const std::string& text, DWORD timeout_ms) const {
  return WaitUntil([&] { return TextOf(window) == text; }, timeout_ms);
}

bool Program::WaitExit(DWORD timeout_ms) const {
  return WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

HANDLE Program::ProcessHandle() const {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), process_.hProcess, GetCurrentProcess(), &copy, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return copy;
}

bool Program::Responsive() {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

}  // namespace skimdex::gui
