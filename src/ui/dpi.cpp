#include "ui/dpi.h"

namespace skimdex {
namespace {

// ＭＳ Ｐゴシック
constexpr char kDesignFace[] = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

}  // namespace

int SystemDpi() {
  const WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// GetDpiForWindow exists from Windows 10 on, so it is looked up rather than linked.
int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window) {
    if (const UINT dpi = get_dpi_for_window(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

ScopedFont DesignFont(int pixels, int dpi, int weight, bool italic, bool underline) {
  return ScopedFont(CreateFontA(-ScaleForDpi(pixels, dpi), 0, 0, 0, weight, italic, underline, FALSE,
                                SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, kDesignFace));
}

}  // namespace skimdex
