#include "text/directory.h"

#include "text/cp932.h"
#include "text/path.h"
#include "text/wide.h"

namespace skimdex {
namespace {

// False when the time lies outside what a DOS date-time holds (before 1980, after 2107).
bool ToLocalDosDateTime(const FILETIME& utc, std::int32_t& dos_date_time) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
    return false;
  }
  dos_date_time = static_cast<std::int32_t>((static_cast<DWORD>(date) << 16) | time);
  return true;
}

// Passes over excluded entries; 0 when an acceptable one is in FindData.
int SkipExcluded(TSearchRec& record) {
  while ((record.FindData.dwFileAttributes & record.ExcludeAttr) != 0) {
    if (!FindNextFileW(record.FindHandle.get(), &record.FindData)) return static_cast<int>(GetLastError());
  }
  return 0;
}

int FillRecord(TSearchRec& record) {
  const int error = SkipExcluded(record);
  if (error != 0) return error;
  const WIN32_FIND_DATAW& data = record.FindData;
  record.Time = 0;
  ToLocalDosDateTime(data.ftLastWriteTime, record.Time);
  record.Size = static_cast<std::int32_t>(data.nFileSizeLow);
  record.Attr = static_cast<std::int32_t>(data.dwFileAttributes);
  record.Name = Narrow(std::wstring_view(data.cFileName, wcsnlen(data.cFileName, MAX_PATH)));
  return 0;
}

bool IsDatedFile(DWORD attributes, const FILETIME& last_write) {
  std::int32_t dos_date_time;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && ToLocalDosDateTime(last_write, dos_date_time);
}

// A name the search takes for itself alone: no wildcard ("<", ">" and '"' are wildcards to the
// search as well), no ":" but a drive's, which could name a stream the search never finds, and no
// separator at the end, after which the search finds nothing at all.
bool IsPlainName(const std::string& path) {
  return !path.empty() && path.find_first_of("*?<>\"") == std::string::npos &&
         path.find(':', 2) == std::string::npos && path.back() != '\\' && path.back() != '/';
}

}  // namespace

int FindFirstEntry(const std::string& pattern, std::int32_t mask, TSearchRec& record) {
  constexpr std::int32_t kExcludable = faHidden | faSysFile | faVolumeID | faDirectory;
  record.ExcludeAttr = ~mask & kExcludable;
  record.FindHandle.reset(FindFirstFileW(SystemPath(pattern).c_str(), &record.FindData));
  if (!record.FindHandle.valid()) return static_cast<int>(GetLastError());
  const int error = FillRecord(record);
  if (error != 0) EndSearch(record);
  return error;
}

int FindNextEntry(TSearchRec& record) {
  if (!FindNextFileW(record.FindHandle.get(), &record.FindData)) {
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<int>(error) : ERROR_INVALID_HANDLE;
  }
  return FillRecord(record);
}

void EndSearch(TSearchRec& record) { record.FindHandle.reset(); }

std::string ProgramFolder() {
  // The buffer grows until the whole path fits: a cut path would give a wrong folder.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return FolderPartOf(Narrow(std::wstring_view(path.data(), length)));
    path.resize(path.size() * 2);
  }
}

std::string FullPathOf(const std::string& name) {
  const std::wstring wide = Wide(name);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring path(size, L'\0');
  const DWORD length = size == 0 ? 0 : GetFullPathNameW(wide.c_str(), size, path.data(), nullptr);
  return length == 0 || length >= size ? name : Narrow(std::wstring_view(path.data(), length));
}

std::string JoinedToCurrentFolder(const std::string& name) {
  const bool drive_relative = name.starts_with("\\") || name.starts_with("/") || name.find(':') == 1;
  if (drive_relative) return FullPathOf(name);
  const std::string folder = FullPathOf(".");
  return folder + (folder.ends_with("\\") ? "" : "\\") + name;
}

std::string FullScanFolder(const std::string& folder) {
  const bool bare_drive = folder.size() == 2 && folder[1] == ':';
  if (folder.empty() || bare_drive || IsFullPath(folder)) return folder;
  return FoldedDotNames(JoinedToCurrentFolder(folder));
}

std::wstring SystemPath(const std::string& path) {
  std::wstring wide = Wide(path);
  if (wide.size() < MAX_PATH && !HoldsNameTheSystemWouldChange(path)) return wide;
  return Wide(VerbatimForm(IsFullPath(path) ? path : JoinedToCurrentFolder(path)));
}

// The search opens the folder and costs many times the attribute query, which answers the same for
// a plain name it can look up; every other name, and any failure, is left to the search.
bool IsExistingFile(const std::string& path) {
  const std::wstring system_path = SystemPath(path);
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (IsPlainName(path) && GetFileAttributesExW(system_path.c_str(), GetFileExInfoStandard, &attributes)) {
    return IsDatedFile(attributes.dwFileAttributes, attributes.ftLastWriteTime);
  }
  WIN32_FIND_DATAW data;
  const ScopedFindHandle search(FindFirstFileW(system_path.c_str(), &data));
  return search.valid() && IsDatedFile(data.dwFileAttributes, data.ftLastWriteTime);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace skimdex
