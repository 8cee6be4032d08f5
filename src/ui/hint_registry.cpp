#include "ui/hint_registry.h"

#include <commctrl.h>

#include <map>

#include "ui/window_text.h"

namespace skimdex {
namespace {

struct Registry {
  std::map<HWND, std::string> long_hints;
  std::function<void(const std::string&)> handler;
  std::string current;
  HWND tooltips = nullptr;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// One tooltip window serves every control that shows tooltips; it copies each text it is given.
HWND TooltipsFor(HWND control) {
  Registry& registry = TheRegistry();
  if (!registry.tooltips) {
    registry.tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                        GetAncestor(control, GA_ROOT), nullptr, nullptr, nullptr);
  }
  return registry.tooltips;
}

void AddTooltip(HWND control, const std::string& text) {
  std::wstring wide = WideFromCp932(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(TooltipsFor(control), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The long hint of the nearest registered window from `window` up to its top-level window.
std::string LongHintAt(HWND window) {
  const Registry& registry = TheRegistry();
  for (; window; window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr) {
    const auto found = registry.long_hints.find(window);
    if (found != registry.long_hints.end()) return found->second;
  }
  return {};
}

}  // namespace

void RegisterHint(HWND control, const std::string& hint, bool with_tooltip) {
  const HintParts parts = SplitHint(hint);
  TheRegistry().long_hints[control] = parts.long_part;
  if (with_tooltip && !parts.short_part.empty()) AddTooltip(control, parts.short_part);
}

void SetApplicationHintHandler(std::function<void(const std::string&)> handler) {
  TheRegistry().handler = std::move(handler);
}

void SetApplicationHint(const std::string& hint) {
  Registry& registry = TheRegistry();
  if (hint == registry.current) return;
  registry.current = hint;
  if (registry.handler) registry.handler(hint);
}

void TrackHint(const MSG& message) {
  if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
    SetApplicationHint(LongHintAt(message.hwnd));
  }
}

}  // namespace skimdex
