#include "ui/placement_rules.h"

#include <algorithm>

namespace skimdex {

ScreenBox FittedInto(const ScreenBox& window, const ScreenBox& area, const ScreenBox& designed) {
  const int width = std::min(window.width < 1 ? designed.width : window.width, area.width);
  const int height = std::min(window.height < 1 ? designed.height : window.height, area.height);
  return {.left = std::clamp(window.left, area.left, area.left + area.width - width),
          .top = std::clamp(window.top, area.top, area.top + area.height - height),
          .width = width,
          .height = height};
}

ScreenBox CentredIn(const ScreenBox& window, const ScreenBox& area) {
  return {.left = area.left + (area.width - window.width) / 2,
          .top = area.top + (area.height - window.height) / 2,
          .width = window.width,
          .height = window.height};
}

}  // namespace skimdex
