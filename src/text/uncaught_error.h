#pragma once

#include <exception>
#include <optional>
#include <string>

// The top-level report of an exception that no handler caught.
namespace skimdex {

// The caption of the program's message boxes.
inline std::string ApplicationTitle() { return "Skimdex"; }

// What the report shows for `error`: its message, with "." appended when the first byte of the
// message's last character lies above "."; nothing for EAbort.
std::optional<std::string> UncaughtErrorText(const std::exception& error);

// A message box with the stop icon, captioned with the application title; the caller carries on.
void ShowUncaughtError(const std::exception& error);
// The same for whatever was thrown: what is no std::exception shows a message of its own.
void ShowUncaughtError(std::exception_ptr error);

}  // namespace skimdex
