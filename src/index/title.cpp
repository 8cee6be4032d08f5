#include "index/title.h"

#include <windows.h>

#include "index/title_scan.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/text_file.h"

namespace skimdex {
namespace {

// A page's bytes straight from its handle, opened as a text file opens for reading. Nothing is
// reported: a page that cannot be opened or read keeps the title read so far, its file name at first.
class PageFile final : public ByteSource {
 public:
  explicit PageFile(const std::string& path)
      : handle_(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)),
        open_error_(handle_.get() == INVALID_HANDLE_VALUE ? GetLastError() : 0) {}
  DWORD OpenError() const { return open_error_; }
  ReadResult Read(char* buffer, std::size_t capacity) override {
    DWORD got = 0;
    if (open_error_ != 0) return {0, static_cast<int>(open_error_)};
    if (!ReadFile(handle_.get(), buffer, static_cast<DWORD>(capacity), &got, nullptr))
      return {0, static_cast<int>(GetLastError())};
    return {got, 0};
  }

 private:
  ScopedFileHandle handle_;
  DWORD open_error_;
};

// The caption of the page at `path`; with `gone_gives_nothing`, the empty string for a page that
// cannot be opened because it no longer exists.
std::string ReadPageTitle(const std::string& path, bool gone_gives_nothing) {
  PageFile page(path);
  const DWORD open_error = page.OpenError();
  if (gone_gives_nothing && (open_error == ERROR_FILE_NOT_FOUND || open_error == ERROR_PATH_NOT_FOUND))
    return {};
  return PageCaption(ScanPage(page, FileNameOf(path)));
}

}  // namespace

std::string GetPageTitle(const std::string& path) {
  if (!IsExistingFile(path)) return {};
  return ReadPageTitle(path, false);
}

std::string GetListedPageTitle(const std::string& path) { return ReadPageTitle(path, true); }

}  // namespace skimdex
