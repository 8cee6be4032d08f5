#pragma once

#include <string>

// Hints: a text whose short part (before the first "|") is a control's tooltip and whose long part
// (after it) is what the main window's status line shows; a text without "|" is both.
struct HWND__;

namespace skimdex {

struct HintParts {
  std::string short_part;
  std::string long_part;
};

// Splits at the first "|" that starts a character, so a trail byte 7C (as in ポ) never splits.
HintParts SplitHint(const std::string& hint);

// Windows only (ui/hint_registry.cpp): gives `control` its hint. The status line shows the long part
// while the pointer is over the control or one of its children; with `with_tooltip` the control
// also shows the short part as a tooltip.
void RegisterHint(HWND__* control, const std::string& hint, bool with_tooltip);

}  // namespace skimdex
