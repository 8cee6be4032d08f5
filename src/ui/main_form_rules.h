#pragma once

#include <string>

// The main window's decisions, free of the window itself.
namespace skimdex {

enum class StartAction { CloseProgram, Run };

// What a click on the Start button does for its caption, the run's only state: "Finish" (exactly)
// closes the program, anything else runs.
StartAction StartClickAction(const std::string& caption);

// The two settings a confirmed save dialog choice gives.
struct SaveChoice {
  std::string save_file_name;  // the chosen file's bare name
  std::string save_file_path;  // its folder, without the "\" unless a root
};
SaveChoice SaveChoiceOf(const std::string& chosen_path);

}  // namespace skimdex
