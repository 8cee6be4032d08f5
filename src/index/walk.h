#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "index/progress.h"
#include "text/string_list.h"

namespace skimdex {

// What the walk's directory listing told of an entry, kept with it in the scan list as its object: the
// listing page then needs no second look at the entry.
struct SeenEntry {
  std::uint32_t attributes;  // the whole attribute word
  bool dated;                // its time stamp is a DOS date-time, as a page's must be to count as one
};
std::uint64_t SeenObject(const SeenEntry& entry);
// Nothing for an entry the walk did not record (an end marker, a list made elsewhere).
std::optional<SeenEntry> SeenEntryOf(std::uint64_t object);

// True for .html .htm .shtml .cgi .txt, ASCII case ignored; `extension` includes its ".".
bool IsListedExtension(const std::string& extension);

// Appends the scan entries of `folder`'s tree to `list` (depth + path with its SeenObject, or the end
// marker "0"), down to folder level `deepest`; `depth` is the depth of `folder` itself, 0 for the scan
// folder. Returns the number of page entries added. Unreadable folders contribute no names.
int ScanFolder(const std::string& folder, TStringList& list, int depth, int deepest, ProgressSink& progress);

}  // namespace skimdex
