#include "ui/window_placement.h"

#include <optional>

#include "ui/dpi.h"

namespace skimdex {
namespace {

struct MonitorAreas {
  RECT work, whole;
};

std::optional<MonitorAreas> AreasOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
  return MonitorAreas{info.rcWork, info.rcMonitor};
}

ScreenBox BoxOf(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

RECT BoundsOf(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

void MoveTo(HWND window, const ScreenBox& box, UINT flags = 0) {
  SetWindowPos(window, nullptr, box.left, box.top, box.width, box.height,
               flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A monitor's work area holds `point`, which a user can then grab.
bool InSomeWorkArea(POINT point) {
  const std::optional<MonitorAreas> areas = AreasOf(MonitorFromPoint(point, MONITOR_DEFAULTTONULL));
  return areas && PtInRect(&areas->work, point);
}

}  // namespace

StoredPlacement::StoredPlacement(HWND window, const int& dpi, const ScreenBox& designed, bool& loading)
    : window_(window), dpi_(dpi), designed_(designed), loading_(loading), design_(!PlacementStored()) {
  loading_ = true;
}

StoredPlacement::~StoredPlacement() {
  loading_ = false;
  KeepOnScreen(window_, designed_, stored_size_);
}

void StoredPlacement::SetStored(PlacementValue value, std::int32_t number) {
  const int pixels = design_ ? ScaleForDpi(number, dpi_) : number;
  ScreenBox box = BoxOf(BoundsOf(window_));
  switch (value) {
    case PlacementValue::Top:
      box.top = pixels;
      return MoveTo(window_, box, SWP_NOSIZE);
    case PlacementValue::Left:
      box.left = pixels;
      return MoveTo(window_, box, SWP_NOSIZE);
    case PlacementValue::Width:
      stored_size_.cx = number;
      box.width = pixels;
      return MoveTo(window_, box, SWP_NOMOVE);
    case PlacementValue::Height:
      stored_size_.cy = number;
      box.height = pixels;
      return MoveTo(window_, box, SWP_NOMOVE);
  }
}

void KeepOnScreen(HWND window, const ScreenBox& designed, SIZE stored_size) {
  const RECT bounds = BoundsOf(window);
  if (InSomeWorkArea({(bounds.left + bounds.right) / 2, bounds.top})) return;
  const std::optional<MonitorAreas> nearest = AreasOf(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST));
  if (!nearest) return;
  // The system widens a window stored with no width or height: the stored size decides.
  ScreenBox box = BoxOf(bounds);
  if (stored_size.cx < 1) box.width = 0;
  if (stored_size.cy < 1) box.height = 0;
  MoveTo(window, FittedInto(box, BoxOf(nearest->work), designed));
}

// GetWindowPlacement reports workspace coordinates: the work area's edge is added back.
WindowBounds NormalBounds(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  const RECT& normal = placement.rcNormalPosition;
  POINT offset{0, 0};
  if (const auto areas = AreasOf(MonitorFromRect(&normal, MONITOR_DEFAULTTONEAREST))) {
    offset = {areas->work.left - areas->whole.left, areas->work.top - areas->whole.top};
  }
  return {.top = normal.top + offset.y,
          .left = normal.left + offset.x,
          .width = normal.right - normal.left,
          .height = normal.bottom - normal.top};
}

void CentreOnOwnersMonitor(HWND dialog, HWND owner) {
  const std::optional<MonitorAreas> areas = AreasOf(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST));
  if (!areas) return;
  MoveTo(dialog, CentredIn(BoxOf(BoundsOf(dialog)), BoxOf(areas->work)), SWP_NOSIZE);
}

}  // namespace skimdex
