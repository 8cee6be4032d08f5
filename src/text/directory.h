#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "text/scoped_handle.h"

namespace skimdex {

constexpr std::int32_t faReadOnly = 0x01;
constexpr std::int32_t faHidden = 0x02;
constexpr std::int32_t faSysFile = 0x04;
constexpr std::int32_t faVolumeID = 0x08;
constexpr std::int32_t faDirectory = 0x10;
constexpr std::int32_t faArchive = 0x20;
constexpr std::int32_t faAnyFile = 0x3F;

// A FindFirstFileW search, closed when dropped.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Release(Handle handle) { FindClose(handle); }
};
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;

// One directory entry of an open search; the search is released with the record at the latest.
struct TSearchRec {
  std::int32_t Time = 0;  // last write, local time, as a DOS date (high word) and time (low word)
  std::int32_t Size = 0;  // low 32 bits
  std::int32_t Attr = 0;  // the whole attribute word, further platform bits included
  std::string Name;       // the entry's true name, in UTF-8
  std::int32_t ExcludeAttr = 0;
  ScopedFindHandle FindHandle;
  WIN32_FIND_DATAW FindData{};
};

// 0 on success, else the platform's error number; entries sharing a bit with the
// hidden/system/volume/directory bits missing from `mask` are passed over.
int FindFirstEntry(const std::string& pattern, std::int32_t mask, TSearchRec& record);
int FindNextEntry(TSearchRec& record);  // 18 (ERROR_NO_MORE_FILES) at the normal end
void EndSearch(TSearchRec& record);

// The folder of the running program's file, with its trailing "\", whatever characters it holds.
std::string ProgramFolder();

// `name` resolved against the current folder, its names kept as they are; `name` itself when the
// system cannot resolve it.
std::string FullPathOf(const std::string& name);
// `name` joined to the current folder with every name kept as it stands, where the system's resolution
// would drop trailing dots and blanks; a name relative to a drive or its root is left to the system.
std::string JoinedToCurrentFolder(const std::string& name);

// A scan folder as an index run walks it: a full path, a bare drive ("C:") or the empty name as given,
// a relative one joined to the current folder as it stands (no name loses a trailing dot or blank)
// with its "." and ".." names folded.
std::string FullScanFolder(const std::string& folder);

// `path` as the system calls take it: as it stands, or, past the system's path limit or holding a name
// the system's parsing would change, in the "\\?\" form of its full path.
std::wstring SystemPath(const std::string& path);

// A file (not a folder) matching `path`, whose time stamp converts to a DOS date-time.
bool IsExistingFile(const std::string& path);
// Any entry with the directory bit, whatever its other attributes.
bool IsExistingFolder(const std::string& path);

}  // namespace skimdex
