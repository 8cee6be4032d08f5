#pragma once

#include <string>

#include "support/temp_folder.h"

// A tree of pages saved from today's web, whose names code page 932 cannot all spell, in the folder
// `temp`\tree, which exists already: 〜 as a browser names a page after its title, é beside a plain e, ♥ in a
// folder, an emoji, "#", a folder two levels down whose name the code page's best fit would read as
// "a\..\..\..\x" (and a real folder x beside the tree, which must never be read), a folder whose name
// ends in ".", and a chain of folders past the system's path limit. Every page but the first has a
// title of its own.
namespace skimdex::testing {

// The code page 932 bytes of 東京, 大阪, 入門 and 音楽, as the listing page and the scan list hold them.
inline const std::string kTokyo = "\x93\x8C\x8B\x9E", kOsaka = "\x91\xE5\x8D\xE3",
                         kNyumon = "\x93\xFC\x96\xE5", kOngaku = "\x89\xB9\x8A\x79";

// The depth that reaches every page; returns the tree's path.
constexpr int kUnicodeTreeDepth = 16;
std::string BuildUnicodeTree(const TempFolder& temp);

}  // namespace skimdex::testing
