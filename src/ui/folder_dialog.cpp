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

// Keeps the browser's status text on the highlighted folder's path (empty for an item without one)
// and highlights the starting folder once the browser is ready.
void OnBrowseMessage(HWND browser, UINT message, LPARAM param, const TFolderDialog& dialog) {
  char status[kStatusBufferSize] = {};
  if (message == BFFM_INITIALIZED && IsExistingFolder(dialog.Folder)) {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dialog.Folder.c_str()));
  }
  if (message == BFFM_SELCHANGED && !SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), status)) {
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

  const ScopedShellMemory buffer(allocator.get(), allocator.get()->Alloc(kPathBufferSize));
  if (!buffer.valid()) return false;

  LPITEMIDLIST raw_drives = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &raw_drives))) return false;
  const ScopedShellMemory drives(allocator.get(), raw_drives);

  char* const path = static_cast<char*>(buffer.get());
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = raw_drives;
  info.pszDisplayName = path;
  info.lpszTitle = Title.c_str();
  info.ulFlags = BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  const ScopedShellMemory chosen(allocator.get(), SHBrowseForFolderA(&info));
  if (!chosen.valid()) return false;
  if (SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.get()), path)) Folder = path;
  return true;
}

}  // namespace skimdex
