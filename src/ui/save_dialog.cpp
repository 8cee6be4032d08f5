#include "ui/save_dialog.h"

#include <commdlg.h>

#include <string_view>

#include "settings/settings.h"
#include "settings/store.h"
#include "text/unicode.h"
#include "text/wide.h"
#include "ui/main_form_rules.h"

namespace skimdex {
namespace {

// 保存ファイルの指定
constexpr char kTitle[] = "\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8E\x77\x92\xE8";
// HTMLファイル(*.html,*.htm) and cgiスクリプト(*.cgi,*.shtml,*.pl), each with its pattern.
constexpr char kFilter[] =
    "HTML\x83\x74\x83\x40\x83\x43\x83\x8B(*.html,*.htm)\x00*.html;*.htm\x00\x63gi\x83\x58\x83\x4E\x83\x8A\x83\x76\x83\x67(*.cgi,*.shtml,*.pl)\x00*.cgi;*.shtml;*.pl\x00";
constexpr DWORD kPathSize = 32768;  // the longest path the system takes

}  // namespace

bool SaveDialog::Execute(HWND owner) {
  const std::wstring title = Wide(FromCp932(kTitle));
  const std::wstring filter = Wide(FromCp932(std::string_view(kFilter, sizeof kFilter)));
  const std::wstring folder = Wide(folder_);
  std::wstring path = Wide(file_);
  path.resize(kPathSize);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathSize;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // No overwrite prompt (the run asks instead) and no default extension; the current folder is
  // left at the chosen file's folder, against which a bare save_file_name is resolved.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return false;
  const std::string chosen = Narrow(path.c_str());
  const SaveChoice choice = SaveChoiceOf(chosen);
  SetSaveFile(choice.save_file_name, choice.save_file_path);
  file_ = chosen;
  folder_ = save_file_path;
  return true;
}

}  // namespace skimdex
