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
  // The same for a UTF-8 relative name of any characters and length, made through the wide calls;
  // the path comes back in UTF-8.
  std::string UnicodeFolder(const std::string& relative) const;
  std::string UnicodeFile(const std::string& relative, const std::string& bytes = {}) const;

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
// The "\\?\" form of a UTF-8 full path, as the wide calls take it.
std::wstring VerbatimWide(const std::string& path);
std::string ReadWholeFile(const std::string& path);

}  // namespace skimdex::testing
