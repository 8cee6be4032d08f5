#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace skimdex::testing {

struct Outcome {
  DWORD status;
  std::string out, err;
};

// Quotes one argument so that the C runtime's parser gives it back unchanged.
std::string Quoted(const std::string& argument);

// Starts a console program in folder, its output streams going nowhere; the process, for the caller
// to wait for or end, and to close.
HANDLE StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& folder);

// Runs a console program in folder and waits for it; its output streams are caught through files
// in that folder.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder);

}  // namespace skimdex::testing
