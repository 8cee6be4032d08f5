#include "index/title.h"

#include <windows.h>

#include "index/title_scan.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/text_file.h"

namespace skimdex {
namespace {

// The scan reads through the text file, so a page that cannot be opened or read reads as ended.
class TextFileLines final : public LineSource {
 public:
  explicit TextFileLines(TextFile& file) : file_(file) {}
  bool AtEndSkippingBlanks() override { return skimdex::AtEndSkippingBlanks(file_); }
  std::string_view ReadTextLine() override { return ReadTextLineInPlace(file_); }

 private:
  TextFile& file_;
};

// The caption of the page at `path`; with `gone_gives_nothing`, the empty string for a page that
// cannot be opened because it no longer exists.
std::string ReadPageTitle(const std::string& path, bool gone_gives_nothing) {
  TextFile page;
  AssignText(page, path);
  OpenTextForReading(page);
  const int open_error = TakeIoError();
  if (gone_gives_nothing && (open_error == ERROR_FILE_NOT_FOUND || open_error == ERROR_PATH_NOT_FOUND))
    return {};
  TextFileLines lines(page);
  const ScannedTitle title = ScanPageTitle(lines, FileNameOf(path));
  CloseText(page);
  TakeIoError();  // nobody checks after reading a title: a failure here must not surface later
  return PageCaption(title);
}

}  // namespace

std::string GetPageTitle(const std::string& path) {
  if (!IsExistingFile(path)) return {};
  return ReadPageTitle(path, false);
}

std::string GetListedPageTitle(const std::string& path) { return ReadPageTitle(path, true); }

}  // namespace skimdex
