#include "ui/main_form_rules.h"

#include "index/run.h"
#include "text/cp932.h"
#include "text/path.h"

namespace skimdex {

StartAction StartClickAction(const std::string& caption) {
  return caption == kCaptionFinish ? StartAction::CloseProgram : StartAction::Run;
}

SaveChoice SaveChoiceOf(const std::string& chosen_path) {
  return {NamePartOf(chosen_path), ParentFolderOf(chosen_path)};
}

}  // namespace skimdex
