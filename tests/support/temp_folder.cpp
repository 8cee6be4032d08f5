#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace skimdex::testing {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "skimdex-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(counter++);
  RemoveTree(path_);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << path_;
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Folder(const std::string& relative, DWORD attributes) const {
  const std::string path = path_ + "\\" + relative;
  if (!CreateDirectoryA(path.c_str(), nullptr)) ADD_FAILURE() << "cannot create folder " << path;
  if (attributes != 0) SetFileAttributesA(path.c_str(), attributes);
  return path;
}

std::string TempFolder::File(const std::string& relative, const std::string& bytes) const {
  const std::string path = path_ + "\\" + relative;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot create file " << path;
    return path;
  }
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

std::wstring VerbatimWide(const std::string& path) {
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  return L"\\\\?\\" + wide;
}

std::string TempFolder::UnicodeFolder(const std::string& relative) const {
  const std::string path = path_ + "\\" + relative;
  if (!CreateDirectoryW(VerbatimWide(path).c_str(), nullptr))
    ADD_FAILURE() << "cannot create folder " << path;
  return path;
}

std::string TempFolder::UnicodeFile(const std::string& relative, const std::string& bytes) const {
  const std::string path = path_ + "\\" + relative;
  const HANDLE file =
      CreateFileW(VerbatimWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE ||
      !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    ADD_FAILURE() << "cannot create file " << path;
  }
  CloseHandle(file);
  return path;
}

namespace {

// Wide calls with the "\\?\" prefix reach paths beyond MAX_PATH, which some tests make.
void RemoveTreeWide(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  // A link is removed itself, never followed.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") RemoveTreeWide(path + L"\\" + name);
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
  } else if (!DeleteFileW(path.c_str())) {
    RemoveDirectoryW(path.c_str());
  }
}

}  // namespace

void RemoveTree(const std::string& path) {
  std::wstring wide(path.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  RemoveTreeWide(L"\\\\?\\" + wide);
}

std::string ReadWholeFile(const std::string& path) {
  // A full path past the ANSI calls' limit is read through the wide call, in its "\\?\" form.
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  if (wide.size() > MAX_PATH) wide = L"\\\\?\\" + wide;
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char block[65536];
  DWORD got = 0;
  while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
  CloseHandle(file);
  return bytes;
}

}  // namespace skimdex::testing
