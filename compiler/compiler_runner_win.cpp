// Starting and awaiting the compiler.
#include "compiler/compiler_runner_win.h"

#include <windows.h>

#include "compiler/compiler_console.h"
#include "project/path_names.h"
#include "project/work_folder_win.h"

namespace t2c {

namespace {

HMODULE ownModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ownModule), &module);
  return module;
}

}  // namespace

std::string compilerDefaultPath() {
  char path[MAX_PATH + 1] = "";
  DWORD length = GetModuleFileNameA(ownModule(), path, MAX_PATH);
  return folderOf(std::string(path, length), false) + "HHC.exe";
}

bool compilerPresent() { return isExistingFile(compilerDefaultPath()); }

CompilerOutcome runCompiler(const std::string& compilerPath, const std::string& projectPath,
                            ConsoleCallback progress, void* context) {
  CompilerOutcome outcome;
  std::string workFolder = folderOf(projectPath, true);
  // The compiler's console comes through a pipe, so that its warnings reach the build's log.
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return outcome;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  // The parameter is the bare project path, as the compiler has always been given it.
  std::string commandLine = "\"" + compilerPath + "\" " + projectPath;
  PROCESS_INFORMATION process = {};
  const bool started = CreateProcessA(compilerPath.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, workFolder.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return outcome;
  }
  outcome.started = true;
  CloseHandle(process.hThread);
  // Read until every writer has closed the pipe: the compiler never blocks on a full one. Its
  // lines go on as they come; before each wait for more, the receiver may show what it has.
  CompilerConsole console(progress, context);
  char buffer[4096];
  DWORD got = 0;
  for (;;) {
    DWORD waiting = 0;
    if (progress && PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr) && waiting == 0)
      progress(nullptr, context);
    if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
    console.Feed(buffer, got);
  }
  console.Finish();
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) outcome.exitCode = code;
  CloseHandle(process.hProcess);
  outcome.warnings = console.Warnings();
  return outcome;
}

}  // namespace t2c
