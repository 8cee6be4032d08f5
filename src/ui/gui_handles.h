#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "text/scoped_handle.h"

// Owners for the GUI's handle kinds, each released when dropped.
namespace skimdex {

template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) { DeleteObject(handle); }
};
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;

struct IconTraits {
  using Handle = HICON;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) { DestroyIcon(handle); }
};
using ScopedIcon = ScopedHandle<IconTraits>;

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) { ImageList_Destroy(handle); }
};
using ScopedImageList = ScopedHandle<ImageListTraits>;

// Memory the shell hands out (an item ID list, for one): freed through the shell's allocator.
template <typename T>
struct ShellMemoryTraits {
  using Handle = T;
  static Handle Empty() { return nullptr; }
  static void Release(Handle handle) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) return;
    allocator->Free(handle);
    allocator->Release();
  }
};
using ScopedIdList = ScopedHandle<ShellMemoryTraits<LPITEMIDLIST>>;

// A window's display context, released to that window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A GDI object selected into a DC for one scope, the previous one put back when dropped.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace skimdex
