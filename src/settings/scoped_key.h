#pragma once

#include <windows.h>

#include "text/scoped_handle.h"

namespace skimdex {

// An open registry key, closed when dropped.
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Release(Handle key) { RegCloseKey(key); }
};
using ScopedKey = ScopedHandle<RegistryKeyTraits>;

}  // namespace skimdex
