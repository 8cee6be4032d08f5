#include "index/title.h"

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
  std::string ReadTextLine() override { return skimdex::ReadTextLine(file_); }

 private:
  TextFile& file_;
};

}  // namespace

std::string GetPageTitle(const std::string& path) {
  if (!IsExistingFile(path)) return {};
  TextFile page;
  AssignText(page, path);
  OpenTextForReading(page);
  TextFileLines lines(page);
  const ScannedTitle title = ScanPageTitle(lines, FileNameOf(path));
  CloseText(page);
  TakeIoError();  // nobody checks after reading a title: a failure here must not surface later
  return PageCaption(title);
}

}  // namespace skimdex
