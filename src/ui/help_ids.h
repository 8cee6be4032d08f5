#pragma once

// The help's names shared by the program and the help compiler: map numbers of the help file's topics
// (tools/helpc reads every `constexpr int` line here, so keep that form) and the HTML manual's pages.
namespace skimdex {

// The configuration dialog's help button asks for this topic.
constexpr int kHelpContextConfig = 6000;

// The HTML manual: a folder beside the program and the pages the program opens in the browser. A
// topic's page is named after its context id (IDH_CONFIG: config.html).
constexpr char kHelpFolder[] = "help";
constexpr char kHelpPageContents[] = "index.html";
constexpr char kHelpPageKeywords[] = "keywords.html";
constexpr char kHelpPageHowToUse[] = "how-to-use.html";
constexpr char kHelpPageConfig[] = "config.html";  // the topic of kHelpContextConfig

}  // namespace skimdex
