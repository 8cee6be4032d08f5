#pragma once

#include <string>

#include "index/message_box.h"

namespace skimdex {

// The template "Skimdex.dat" beside the executable.
std::string TemplatePath();

// Writes the frame page `file` unless the template is missing or the user declines to overwrite
// an existing file, asked by its `name` as the user gave it; true only when the page was written
// completely.
bool ConfirmFramePage(const std::string& name, const std::string& file, MessageBoxes& boxes);

// Copies the template into `name`, pointing its placeholders at the frame and listing pages.
// Returns false after reporting a failure to the user; an empty name is such a failure.
bool WriteFramePage(const std::string& name, MessageBoxes& boxes);

}  // namespace skimdex
