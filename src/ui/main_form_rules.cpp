#include "ui/main_form_rules.h"

#include <algorithm>

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

ScreenBox FittedInto(const ScreenBox& window, const ScreenBox& area, const ScreenBox& designed) {
  const int width = std::min(window.width < 1 ? designed.width : window.width, area.width);
  const int height = std::min(window.height < 1 ? designed.height : window.height, area.height);
  return {.left = std::clamp(window.left, area.left, area.left + area.width - width),
          .top = std::clamp(window.top, area.top, area.top + area.height - height),
          .width = width,
          .height = height};
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
