#pragma once

#include <windows.h>

#include <string>

namespace skimdex::testing {

// A fresh folder under the Windows temporary folder, removed with everything in it when dropped.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Relative names are taken below Path(); folders on the way are not created.
  std::string Folder(const std::string& relative, DWORD attributes = 0) const;
  std::string File(const std::string& relative, const std::string& bytes = {}) const;

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
std::string ReadWholeFile(const std::string& path);

}  // namespace skimdex::testing
