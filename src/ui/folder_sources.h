#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where a new scan folder comes from besides the folder chooser: the command line and a drop from
// Explorer. Decisions only; the window reads the system and passes the folder through its one door.
namespace skimdex {

// "Skimdex [フォルダ]", in code page 932: the usage line of the box that reports a command line the
// program cannot take.
constexpr char kStartUsage[] = "Skimdex [\x83\x74\x83\x48\x83\x8B\x83\x5F]";

// "スキャンするフォルダ: ", in code page 932: the status line's notice of a new scan folder, before its name.
constexpr char kScanFolderNotice[] =
    "\x83\x58\x83\x4C\x83\x83\x83\x93\x82\xB7\x82\xE9\x83\x74\x83\x48\x83\x8B\x83\x5F: ";

// What `Skimdex.exe [FOLDER]` asks for.
struct StartArguments {
  std::optional<std::string> folder;  // FOLDER, as given, but without a trailing "\" unless a root
  bool usage_error = false;           // a switch, or more than one argument: reported, then ignored
  bool operator==(const StartArguments&) const = default;
};

// `arguments` are the UTF-8 arguments after the program's own name. An argument starting with "/" is a
// switch, and none is known. A trailing `"` stands for the "\" the system's rules replaced.
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);

// The scan folder that dropped `paths` give: the first folder among them, or else the folder of the
// first item; nothing when none was dropped.
std::optional<std::string> DroppedScanFolder(const std::vector<std::string>& paths,
                                             const std::function<bool(const std::string&)>& is_folder);

}  // namespace skimdex
