#include "ui/folder_sources.h"

#include <algorithm>

#include "text/path.h"

namespace skimdex {
namespace {

// The folder as the folder chooser names it: "D:\my site", but "C:\" for a root.
std::string ChooserForm(const std::string& folder) {
  return folder.ends_with('\\') ? ParentFolderOf(folder) : folder;
}

}  // namespace

StartArguments ParseStartArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return {};
  if (arguments.size() > 1 || arguments[0].starts_with('/'))
    return {.folder = std::nullopt, .usage_error = true};
  return {.folder = ChooserForm(ArgumentPath(arguments[0]))};
}

std::optional<std::string> DroppedScanFolder(const std::vector<std::string>& paths,
                                             const std::function<bool(const std::string&)>& is_folder) {
  if (paths.empty()) return std::nullopt;
  const auto folder = std::find_if(paths.begin(), paths.end(), is_folder);
  return folder != paths.end() ? ChooserForm(*folder) : ParentFolderOf(paths.front());
}

}  // namespace skimdex
