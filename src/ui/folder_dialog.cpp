#include "ui/folder_dialog.h"

#include <shlobj.h>

#include <exception>

#include "text/directory.h"
#include "text/uncaught_error.h"
#include "text/unicode.h"
#include "text/wide.h"
#include "ui/gui_handles.h"

namespace skimdex {
namespace {

constexpr UINT kPathBufferSize = MAX_PATH;
constexpr DWORD kLongPathSize = 32768;  // the longest path the system takes

// The shell's allocator, obtained once per browse and released after every block taken from it.
struct ShellAllocatorTraits {
  using Handle = IMalloc*;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) { handle->Release(); }
};
using ScopedShellAllocator = ScopedHandle<ShellAllocatorTraits>;
using ScopedShellBuffer = ScopedHandle<ShellMemoryTraits<wchar_t*>>;

// The folder an item stands for, of any length; empty for an item without one.
std::wstring PathOf(PCIDLIST_ABSOLUTE item) {
  std::wstring path(kLongPathSize, L'\0');
  if (!SHGetPathFromIDListEx(item, path.data(), kLongPathSize, GPFIDL_DEFAULT)) return {};
  path.resize(wcslen(path.c_str()));
  return path;
}

// Keeps the browser's status text on the highlighted folder's path (empty for an item without one)
// and highlights the starting folder once the browser is ready.
void OnBrowseMessage(HWND browser, UINT message, LPARAM param, const TFolderDialog& dialog) {
  if (message == BFFM_INITIALIZED && IsExistingFolder(dialog.Folder)) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(dialog.Folder).c_str()));
  }
  const std::wstring status =
      message == BFFM_SELCHANGED ? PathOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(param)) : std::wstring();
  SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(status.c_str()));
}

// The shell calls this from its own loop: no exception may travel back into it.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data) noexcept {
  try {
    OnBrowseMessage(browser, message, param, *reinterpret_cast<const TFolderDialog*>(data));
  } catch (const std::exception& error) {
    ShowUncaughtError(error);
  }
  return 0;
}

}  // namespace

bool TFolderDialog::Execute(HWND owner) {
  IMalloc* raw_allocator = nullptr;
  if (FAILED(SHGetMalloc(&raw_allocator))) return false;
  const ScopedShellAllocator allocator(raw_allocator);

  const ScopedShellBuffer buffer(
      static_cast<wchar_t*>(raw_allocator->Alloc(kPathBufferSize * sizeof(wchar_t))));
  if (!buffer.valid()) return false;

  LPITEMIDLIST raw_drives = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &raw_drives))) return false;
  const ScopedIdList drives(raw_drives);

  const std::wstring title = Wide(FromCp932(Title));
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = drives.get();
  info.pszDisplayName = buffer.get();
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  const ScopedIdList chosen(SHBrowseForFolderW(&info));
  if (!chosen.valid()) return false;
  if (const std::wstring path = PathOf(chosen.get()); !path.empty()) Folder = Narrow(path);
  return true;
}

}  // namespace skimdex
