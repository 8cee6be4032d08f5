#pragma once

// Map numbers of the help file's topics and the names of the manual's pages, shared by the program
// and the help compiler (tools/helpc reads every `constexpr int` here, so keep that form).
namespace skimdex {

// The configuration dialog's help button asks for this topic.
constexpr int kHelpContextConfig = 6000;

// The HTML manual, in this folder beside the programs.
constexpr char kHelpFolder[] = "help";
constexpr char kHelpPageContents[] = "index.html";
constexpr char kHelpPageKeywords[] = "keywords.html";
constexpr char kHelpPageHowToUse[] = "how-to-use.html";
constexpr char kHelpPageConfig[] = "config.html";  // the topic of kHelpContextConfig

}  // namespace skimdex
