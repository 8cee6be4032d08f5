#include "index/frame_page.h"

#include "index/listing_page.h"
#include "index/listing_rows.h"
#include "text/cp932.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/text_file.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

constexpr char kTemplateName[] = "Skimdex.dat";
constexpr char kFramePlaceholder[] = "=\"skimdex.html";
constexpr char kListingPlaceholder[] = "=\"skimdex_sub.html";

// "Skimdex.datがありません。" CR LF "再インストールして下さい。"
constexpr char kTemplateMissingText[] =
    "Skimdex.dat\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n"
    "\x8D\xC4\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x42";
// "Skimdex-再インストールして下さい。"
constexpr char kTemplateMissingTitle[] =
    "Skimdex-\x8D\xC4\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x42";
// "同じ名前のファイル(" name ")が存在します。" CR LF "上書きしますか？"
constexpr char kOverwriteTextBefore[] =
    "\x93\xAF\x82\xB6\x96\xBC\x91\x4F\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B(";
constexpr char kOverwriteTextAfter[] =
    ")\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7\x81\x42\r\n"
    "\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";
// "Skimdex-上書きしますか？"
constexpr char kOverwriteTitle[] = "Skimdex-\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";
// "フォルダが存在しないか、書き込み禁止になってます"
constexpr char kWriteFailedText[] =
    "\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xC8\x82\xA2\x82\xA9\x81\x41\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x8B\xD6\x8E\x7E\x82\xC9\x82\xC8\x82\xC1\x82\xC4\x82\xDC\x82\xB7";
constexpr char kWriteFailedTitle[] = "Skimdex-I/O Error";

// What the placeholders point at. A browser reads "file:///Localindex.html" as a file at the drive's
// root, so a name that is not a full path is resolved against the current folder, where the pages
// are written; it cannot follow the "\\?\" form.
std::string FramePageAddress(const std::string& name) {
  return WithoutLongPathPrefix(IsFullPath(name) ? name : FullPathOf(name));
}

// The template's lines are code page 932; the addresses go in as the listing page's links do.
std::string RewritePlaceholders(const std::string& line, const std::string& address) {
  const std::string frame = ReplaceAllNoCase(line, kFramePlaceholder, "=\"file:///" + LinkTarget(address));
  return ReplaceAllNoCase(frame, kListingPlaceholder, "=\"file:///" + LinkTarget(ListingPageName(address)));
}

// The template is opened first and held until the new page has replaced the output: an output named
// like the template then fails to replace it instead of destroying it, and an unreadable template
// leaves an existing output as it was.
void CopyTemplate(const std::string& name) {
  TextFile source;
  AssignText(source, TemplatePath());
  OpenTextForReading(source);
  CheckIo();
  TextFile output;
  AssignText(output, name);
  CreateTextForReplacing(output);
  CheckIo();
  const std::string address = FramePageAddress(name);
  for (;;) {
    const bool at_end = AtEndSkippingBlanks(source);
    CheckIo();
    if (at_end) break;
    const std::string line = ReadTextLine(source);
    CheckIo();
    WriteText(output, RewritePlaceholders(line, address));
    WriteLineEnd(output);
    CheckIo();
  }
  CloseText(output);
  CheckIo();
  CloseText(source);
  CheckIo();
}

}  // namespace

std::string TemplatePath() { return ProgramFolder() + kTemplateName; }

bool ConfirmFramePage(const std::string& name, const std::string& file, MessageBoxes& boxes) {
  if (!IsExistingFile(TemplatePath())) {
    boxes.Show(FromCp932(kTemplateMissingText), FromCp932(kTemplateMissingTitle), MessageButtons::OkCancel);
    return false;
  }
  if (IsExistingFile(file)) {
    const std::string question = FromCp932(kOverwriteTextBefore) + name + FromCp932(kOverwriteTextAfter);
    if (boxes.Show(question, FromCp932(kOverwriteTitle), MessageButtons::OkCancel) != MessageAnswer::Ok) {
      return false;
    }
  }
  return WriteFramePage(file, boxes);
}

bool WriteFramePage(const std::string& name, MessageBoxes& boxes) {
  // An empty name would be standard output, which is no page.
  if (!name.empty()) {
    try {
      CopyTemplate(name);
      return true;
    } catch (const std::exception&) {
    }
  }
  boxes.Show(FromCp932(kWriteFailedText), kWriteFailedTitle, MessageButtons::Ok);
  return false;
}

}  // namespace skimdex
