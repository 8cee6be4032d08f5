#pragma once

#include <windows.h>

#include <string>

// The shell's folder browser, rooted at the drives folder.
namespace skimdex {

class TFolderDialog {
 public:
  // In: the folder to highlight when it exists. Out: the chosen folder's path, after a confirmed
  // choice of an item that has one. UTF-8.
  std::string Folder;
  // "フォルダーの選択": the prompt above the folder tree, in code page 932.
  std::string Title = "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xCC\x91\x49\x91\xF0";

  // Runs the browser owned by `owner`; true when the user pressed OK, false after Cancel or when the
  // browser cannot be opened.
  bool Execute(HWND owner);
};

}  // namespace skimdex
