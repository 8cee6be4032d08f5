#pragma once

#include <string>

// The rows of the listing page, built from scan entries and titles. Captions and link targets are
// made safe for the page: a title shows as the browser shows it, never as markup.
namespace skimdex {

// "<" and ">" as character references; "&" stays, so references already in a title still work.
std::string CaptionText(const std::string& text);

// '"', "<" and ">" percent-encoded, so a path cannot end the attribute or open a tag.
std::string LinkTarget(const std::string& path);

// `depth` full-width spaces.
std::string Indent(int depth);

std::string FolderRow(int depth, const std::string& path);
std::string PageRow(int depth, const std::string& path, const std::string& title);

}  // namespace skimdex
