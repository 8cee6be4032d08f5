#pragma once

// Map numbers of the help file's topics, shared by the program and the help compiler (tools/helpc
// reads every `constexpr int` here, so keep that form).
namespace skimdex {

// The configuration dialog's help button asks for this topic.
constexpr int kHelpContextConfig = 6000;

}  // namespace skimdex
