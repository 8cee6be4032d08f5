#pragma once

#include <string>

#include "index/progress.h"
#include "text/string_list.h"

namespace skimdex {

// The listing page's file name: `name` without its extension, then "_sub.html".
std::string ListingPageName(const std::string& name);

// Writes the listing page for the scan list of `scan_folder`: a folder row or a page row per entry,
// decided by what the walk saw of a page and by the file system now for the rest. The page replaces
// the old one only when it is whole; the first I/O failure raises EInOutError and leaves the old one.
void WriteListingPage(const std::string& name, const TStringList& list, const std::string& scan_folder,
                      ProgressSink& progress);

}  // namespace skimdex
