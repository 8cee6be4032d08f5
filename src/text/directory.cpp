#include "text/directory.h"

#include "text/cp932.h"

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
    if (!FindNextFileA(record.FindHandle.get(), &record.FindData)) return static_cast<int>(GetLastError());
  }
  return 0;
}

int FillRecord(TSearchRec& record) {
  const int error = SkipExcluded(record);
  if (error != 0) return error;
  const WIN32_FIND_DATAA& data = record.FindData;
  record.Time = 0;
  ToLocalDosDateTime(data.ftLastWriteTime, record.Time);
  record.Size = static_cast<std::int32_t>(data.nFileSizeLow);
  record.Attr = static_cast<std::int32_t>(data.dwFileAttributes);
  record.Name.assign(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName));
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
  record.FindHandle.reset(FindFirstFileA(pattern.c_str(), &record.FindData));
  if (!record.FindHandle.valid()) return static_cast<int>(GetLastError());
  const int error = FillRecord(record);
  if (error != 0) EndSearch(record);
  return error;
}

int FindNextEntry(TSearchRec& record) {
  if (!FindNextFileA(record.FindHandle.get(), &record.FindData)) {
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<int>(error) : ERROR_INVALID_HANDLE;
  }
  return FillRecord(record);
}

void EndSearch(TSearchRec& record) { record.FindHandle.reset(); }

std::string ProgramFolder() {
  // The buffer grows until the whole path fits: a cut path would give a wrong folder.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return FolderPartOf(path.substr(0, length));
    path.resize(path.size() * 2);
  }
}

std::string FullPathOf(const std::string& name) {
  const DWORD size = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  std::string path(size, '\0');
  const DWORD length = size == 0 ? 0 : GetFullPathNameA(name.c_str(), size, path.data(), nullptr);
  return length == 0 || length >= size ? name : path.substr(0, length);
}

// The search opens the folder and costs many times the attribute query, which answers the same for
// a plain name it can look up; every other name, and any failure, is left to the search.
bool IsExistingFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (IsPlainName(path) && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
    return IsDatedFile(attributes.dwFileAttributes, attributes.ftLastWriteTime);
  }
  WIN32_FIND_DATAA data;
  const ScopedFindHandle search(FindFirstFileA(path.c_str(), &data));
  return search.valid() && IsDatedFile(data.dwFileAttributes, data.ftLastWriteTime);
}

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace skimdex
