#include "ui/shell_input.h"

#include <memory>
#include <type_traits>

#include "text/directory.h"
#include "text/wide.h"
#include "ui/folder_sources.h"

namespace skimdex {

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return {};
  std::vector<std::string> texts;
  for (int i = 1; i < count; ++i) texts.push_back(Narrow(arguments[i]));
  LocalFree(arguments);
  return texts;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
  for (UINT i = 0; i < paths.size(); ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    paths[i] = Narrow(path);
  }
  return paths;
}

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
  const std::unique_ptr<std::remove_pointer_t<HDROP>, decltype(&DragFinish)> finished(drop, DragFinish);
  return DroppedPaths(drop);
}

std::optional<std::string> DroppedScanFolder(const std::vector<std::string>& paths) {
  return DroppedScanFolder(paths, IsExistingFolder);
}

}  // namespace skimdex
