#include "support/run_program.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace skimdex::testing {

std::string Quoted(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  return quoted.append(backslashes * 2, '\\') + "\"";
}

namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0,
                     nullptr);
}

}  // namespace

Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder) {
  const std::string out_path = folder + "\\stdout.bin", err_path = folder + "\\stderr.bin";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(out_path, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(err_path, GENERIC_WRITE, CREATE_ALWAYS);
  std::string command_line = Quoted(program);
  for (const std::string& argument : arguments) command_line.append(" ").append(Quoted(argument));
  PROCESS_INFORMATION process{};
  Outcome outcome{255, {}, {}};
  if (CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                     &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &outcome.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  } else {
    ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
  }
  for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(handle);
  outcome.out = ReadWholeFile(out_path);
  outcome.err = ReadWholeFile(err_path);
  DeleteFileA(out_path.c_str());
  DeleteFileA(err_path.c_str());
  return outcome;
}

}  // namespace skimdex::testing
