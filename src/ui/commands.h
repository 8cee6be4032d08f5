#pragma once

#include <span>
#include <string>

// The main window's commands: the toolbar buttons and the menu items with their hints. One
// WM_COMMAND switch serves the toolbar, the menu and the Start button (ui/resource.h).
namespace skimdex {

struct ToolbarButton {
  const char* name;  // the designer's name, for readers of the code
  int glyph;         // index in the glyph strips
  int command;
  const char* hint;
  int left;  // on the toolbar panel, at 96 dpi
  int width;
};

constexpr int kToolbarButtonTop = 4;
constexpr int kToolbarButtonHeight = 25;
constexpr int kGlyphCount = 8;

std::span<const ToolbarButton> ToolbarButtons();

// The hint of the menu item with `command`; empty for commands without a menu item.
std::string MenuItemHint(int command);

}  // namespace skimdex
