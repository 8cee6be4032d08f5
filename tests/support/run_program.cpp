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

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string command_line = Quoted(program);
  for (const std::string& argument : arguments) command_line.append(" ").append(Quoted(argument));
  return command_line;
}

// Starts `program` with these standard handles, which it inherits; nullptr when it cannot start.
HANDLE Start(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
             STARTUPINFOA& startup) {
  std::string command_line = CommandLine(program, arguments);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

}  // namespace

HANDLE StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError =
      InheritableFile("NUL", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  const HANDLE process = Start(program, arguments, folder, startup);
  CloseHandle(startup.hStdInput);
  return process;
}

Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& folder) {
  const std::string out_path = folder + "\\stdout.bin", err_path = folder + "\\stderr.bin";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = InheritableFile(out_path, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = InheritableFile(err_path, GENERIC_WRITE, CREATE_ALWAYS);
  Outcome outcome{255, {}, {}};
  if (const HANDLE process = Start(program, arguments, folder, startup)) {
    WaitForSingleObject(process, INFINITE);
    GetExitCodeProcess(process, &outcome.status);
    CloseHandle(process);
  }
  for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(handle);
  outcome.out = ReadWholeFile(out_path);
  outcome.err = ReadWholeFile(err_path);
  DeleteFileA(out_path.c_str());
  DeleteFileA(err_path.c_str());
  return outcome;
}

}  // namespace skimdex::testing
