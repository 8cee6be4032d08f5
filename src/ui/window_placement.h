#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/store.h"
#include "ui/placement_rules.h"

// Where the program's windows go on the monitors: the one monitor lookup, the main window's stored
// placement, and dialogs centred on their owner's monitor.
namespace skimdex {

// Applies the stored placement values to `window` as the load reads them, for its life. Stored
// coordinates are physical pixels and apply as they are; without a stored placement they are the
// design's and scale with `dpi`, read at each value since the window may change monitors meanwhile.
// `loading` is set meanwhile. At its end the window is kept on a screen (KeepOnScreen), also when a bad
// value ended the load midway and left the values before it applied.
class StoredPlacement final : public PlacementTarget {
 public:
  StoredPlacement(HWND window, const int& dpi, const ScreenBox& designed, bool& loading);
  StoredPlacement(const StoredPlacement&) = delete;
  StoredPlacement& operator=(const StoredPlacement&) = delete;
  ~StoredPlacement() override;
  void SetStored(PlacementValue value, std::int32_t number) override;

 private:
  HWND window_;
  const int& dpi_;
  ScreenBox designed_;
  bool& loading_;
  bool design_;
  SIZE stored_size_{1, 1};  // as loaded, before the system enforces its smallest window
};

// A placement stored while another monitor was attached may lie where no screen shows it: unless a
// work area holds the middle of the top edge, where the caption is grabbed, `window` moves into the
// nearest work area, at `designed`'s width or height where the stored one was below 1.
void KeepOnScreen(HWND window, const ScreenBox& designed, SIZE stored_size);

// `window`'s restored rectangle in screen coordinates, also while minimised or maximised, so the next
// start never opens off screen or at the size of the whole screen.
WindowBounds NormalBounds(HWND window);

// Moves `dialog` to the middle of the work area of `owner`'s monitor.
void CentreOnOwnersMonitor(HWND dialog, HWND owner);

}  // namespace skimdex
