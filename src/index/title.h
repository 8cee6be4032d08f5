#pragma once

#include <string>

namespace skimdex {

// The Shift_JIS caption of the page at `path`: its title, or its file name when it has none or
// cannot be read; the empty string when no such file exists. Reports nothing and leaves no
// I/O error pending. `open_failed`, when given, tells whether the page existed but could not be opened.
std::string GetPageTitle(const std::string& path, bool* open_failed = nullptr);

}  // namespace skimdex
