#include <windows.h>

#include "text/exception.h"
#include "text/uncaught_error.h"

namespace skimdex {
namespace {

// 予期しないエラーが起きました
constexpr char kUnexpected[] =
    "\x97\x5C\x8A\xFA\x82\xB5\x82\xC8\x82\xA2\x83\x47\x83\x89\x81\x5B\x82\xAA\x8B\x4E\x82\xAB\x82\xDC\x82\xB5\x82\xBD";

}  // namespace

void ShowUncaughtError(const std::exception& error) {
  const std::optional<std::string> text = UncaughtErrorText(error);
  if (!text) return;
  MessageBoxA(GetActiveWindow(), text->c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void ShowUncaughtError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& caught) {
    ShowUncaughtError(caught);
  } catch (...) {
    ShowUncaughtError(Exception(kUnexpected));
  }
}

}  // namespace skimdex
