#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/hints.h"

// The application hint: the long hint of the control under the pointer or of the highlighted menu
// item, in any of the program's windows, handed to one handler (the main window's status line).
namespace skimdex {

void SetApplicationHintHandler(std::function<void(const std::string&)> handler);

// Makes `hint` the application hint; the handler runs only when the text changes.
void SetApplicationHint(const std::string& hint);

// Every message loop of the program passes each message here before dispatching it, so pointer
// moves over registered controls update the application hint.
void TrackHint(const MSG& message);

}  // namespace skimdex
