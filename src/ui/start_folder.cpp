#include "ui/start_folder.h"

#include "settings/settings.h"
#include "text/directory.h"
#include "text/path.h"
#include "text/uncaught_error.h"
#include "text/unicode.h"
#include "text/wide.h"
#include "ui/folder_sources.h"
#include "ui/shell_input.h"

namespace skimdex {

void TakeCommandLineFolder(TConfigration& config) {
  const StartArguments arguments = ParseStartArguments(CommandLineArguments());
  if (arguments.usage_error) {
    MessageBoxW(nullptr, Wide(FromCp932(kStartUsage)).c_str(), Wide(ApplicationTitle()).c_str(),
                MB_OK | MB_ICONWARNING);
  }
  if (!arguments.folder) return;
  const std::string folder =
      IsFullPath(*arguments.folder) ? *arguments.folder : FullPathOf(*arguments.folder);
  // The run resolves a bare output name against the current folder, which the save dialog sets to the
  // output folder the user chose; the folder a verb starts the program in is none the user chose.
  SetCurrentDirectoryW(SystemPath(save_file_path).c_str());
  config.ChangeScanFolder(folder);
}

}  // namespace skimdex
