#include "ui/folder_dialog.h"

#include <shlobj.h>

#include <exception>

#include "text/directory.h"
#include "text/uncaught_error.h"
#include "ui/gui_handles.h"

namespace skimdex {
namespace {

constexpr UINT kPathBufferSize = MAX_PATH;
constexpr std::size_t kStatusBufferSize = 512;

// The shell's allocator, obtained once per browse and released after every block taken from it.
struct ShellAllocatorTraits {
  using Handle = IMalloc*;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) { handle->Release(); }
};
using ScopedShellAllocator = ScopedHandle<ShellAllocatorTraits>;
using ScopedShellBuffer = ScopedHandle<ShellMemoryTraits<char*>>;

// Keeps the browser's status text on the highlighted folder's path (empty for an item without one)
// and highlights the starting folder once the browser is ready.
void OnBrowseMessage(HWND browser, UINT message, LPARAM param, const TFolderDialog& dialog) {
  char status[kStatusBufferSize] = {};
  if (message == BFFM_INITIALIZED && IsExistingFolder(dialog.Folder)) {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dialog.Folder.c_str()));
  }
  if (message == BFFM_SELCHANGED &&
      !SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), status)) {
    status[0] = '\0';
  }
  SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status));
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

  const ScopedShellBuffer buffer(static_cast<char*>(raw_allocator->Alloc(kPathBufferSize)));
  if (!buffer.valid()) return false;

  LPITEMIDLIST raw_drives = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &raw_drives))) return false;
  const ScopedIdList drives(raw_drives);

  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = drives.get();
  info.pszDisplayName = buffer.get();
  info.lpszTitle = Title.c_str();
  info.ulFlags = BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  const ScopedIdList chosen(SHBrowseForFolderA(&info));
  if (!chosen.valid()) return false;
  if (SHGetPathFromIDListA(chosen.get(), buffer.get())) Folder = buffer.get();
  return true;
}

}  // namespace skimdex
