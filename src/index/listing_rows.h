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

// "<" and ">" of a code page 932 title as character references; "&" stays, so references already in a
// title still work.
std::string CaptionText(const std::string& text);

// A UTF-8 name as a caption: each character in its code page 932 form, one without it as a character
// reference, then "<" and ">" as in CaptionText.
std::string NameCaption(const std::string& name);

// A UTF-8 path as a link target in the code page 932 page. A character without an exact code page 932
// form goes as its UTF-8 bytes percent-encoded, and so do '"', "<" and ">" (which would end the
// attribute or open a tag), "%", "#" and "?" (which a browser takes for an escape, a fragment or a
// query); every other character stays as it is, backslashes included.
std::string LinkTarget(const std::string& path);

// `depth` full-width spaces.
std::string Indent(int depth);

// `path` is a UTF-8 path; `title` the page's code page 932 caption.
std::string FolderRow(int depth, const std::string& path);
std::string PageRow(int depth, const std::string& path, const std::string& title);

}  // namespace skimdex
