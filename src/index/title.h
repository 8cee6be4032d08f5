#pragma once

#include <string>

namespace skimdex {

// The Shift_JIS caption of the page at `path`: its title, or its file name when it has none or
// cannot be read; the empty string when no such file exists. Reports nothing and leaves no
// I/O error pending.
std::string GetPageTitle(const std::string& path);

// The same for a page that the walk has just listed as a file with a DOS time stamp, without testing
// its existence again: one that is gone since gives the empty string all the same.
std::string GetListedPageTitle(const std::string& path);

}  // namespace skimdex
