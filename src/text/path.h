#pragma once

#include <string>

// The program's paths: UTF-8 text, in which "\", ":" and "." never occur inside a character. "\"
// separates folder names, ":" follows a drive letter. No function changes its arguments.
namespace skimdex {

std::string FolderPartOf(const std::string& path);      // up to and including the last separator
std::string NamePartOf(const std::string& path);        // after the last separator
std::string FileNameOf(const std::string& path);        // after the last "\" (a drive's ":" stays)
std::string ExtensionOf(const std::string& path);       // from the last "." of the name, or empty
std::string WithoutExtension(const std::string& path);  // the path less ExtensionOf
std::string ParentFolderOf(const std::string& path);    // folder part without its "\", but a root keeps it

// A path argument as the system's command-line rules hand it over, its trailing `"` turned back into the
// "\" it stands for: those rules make the quoted `"C:\"` into `C:"` and `"D:\my site\"` into `D:\my site"`.
std::string ArgumentPath(const std::string& argument);

// A path that names the same file whatever the current folder: a drive with its root ("C:\"), a UNC
// path ("\\server\share\..."), or the "\\?\" form of either.
bool IsFullPath(const std::string& path);
// The path without its "\\?\" prefix ("\\?\UNC\" gives back "\\"): the form a browser can follow.
std::string WithoutLongPathPrefix(const std::string& path);

// `full_path` with each "." name dropped and each ".." taking away the name before it, never the
// drive nor a UNC path's server and share; every other name, a trailing dot or blank included, and a
// separator at the end are kept, and the separators become "\".
std::string FoldedDotNames(const std::string& full_path);

// A name in `path` that the system's path parsing would change, one that ends in "." or a blank
// ("a." is taken for "a"): such a path reaches its file only in the "\\?\" form.
bool HoldsNameTheSystemWouldChange(const std::string& path);
// The "\\?\" form of the full path `full_path`, which the system takes verbatim: "/" as "\", doubled
// separators made single, "." and ".." resolved; a UNC path as "\\?\UNC\server\share\...".
std::string VerbatimForm(const std::string& full_path);

}  // namespace skimdex
