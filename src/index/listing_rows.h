#pragma once

#include <string>

// The rows of the listing page, built from scan entries and titles. Captions and link targets are
// made safe for the page: a title shows as the browser shows it, never as markup.
namespace skimdex {

// The lines before the first row and after the last.
inline constexpr const char* kListingHead[] = {
    "<HTML>",
    "<HEAD>",
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">",
    "<TITLE>Index of Local Folder</TITLE>",
    "</HEAD>",
    "<BODY BGCOLOR=\"#FFFFFF\">",
    "<BASE TARGET=\"Zelmo\">",
};
inline constexpr const char* kListingFoot[] = {"</BODY>", "</HTML>"};

// "<" and ">" as character references; "&" stays, so references already in a title still work.
std::string CaptionText(const std::string& text);

// '"', "<" and ">" percent-encoded, so a path cannot end the attribute or open a tag.
std::string LinkTarget(const std::string& path);

// `depth` full-width spaces.
std::string Indent(int depth);

std::string FolderRow(int depth, const std::string& path);
std::string PageRow(int depth, const std::string& path, const std::string& title);

}  // namespace skimdex
