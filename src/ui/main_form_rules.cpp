#include "ui/main_form_rules.h"

#include "index/run.h"
#include "text/cp932.h"

namespace skimdex {

StartAction StartClickAction(const std::string& caption) {
  return caption == kCaptionFinish ? StartAction::CloseProgram : StartAction::Run;
}

SaveChoice SaveChoiceOf(const std::string& chosen_path) {
  return {NamePartOf(chosen_path), ParentFolderOf(chosen_path)};
}

int ScaleForDpi(int length, int dpi) {
  const long long scaled = static_cast<long long>(length) * dpi;
  const long long half = scaled < 0 ? -48 : 48;
  return static_cast<int>((scaled + half) / 96);
}

int GlyphSizeFor(int dpi) {
  const int wanted = ScaleForDpi(16, dpi);
  for (const int size : {32, 24}) {
    if (size <= wanted) return size;
  }
  return 16;
}

}  // namespace skimdex
