#include <windows.h>

#include "text/uncaught_error.h"

namespace skimdex {

void ShowUncaughtError(const std::exception& error) {
  const std::optional<std::string> text = UncaughtErrorText(error);
  if (!text) return;
  MessageBoxA(GetActiveWindow(), text->c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace skimdex
