// Starting and awaiting the compiler.
#include "compiler/compiler_runner_win.h"

#include <windows.h>
#include <shellapi.h>

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

CompilerOutcome runCompiler(const std::string& compilerPath, const std::string& projectPath) {
  CompilerOutcome outcome;
  std::string workFolder = folderOf(projectPath, true);
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  // The build reports a compiler that cannot start in its log; a modal shell error box on top of
  // that would stop the build until someone dismisses it.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = compilerPath.c_str();
  info.lpParameters = projectPath.c_str();
  info.lpDirectory = workFolder.c_str();
  info.nShow = SW_SHOW;
  if (!ShellExecuteExA(&info)) return outcome;
  outcome.started = true;
  if (!info.hProcess) return outcome;
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(info.hProcess, &code)) outcome.exitCode = code;
  CloseHandle(info.hProcess);
  return outcome;
}

}  // namespace t2c
