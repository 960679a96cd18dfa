// The registered .chm viewer: looked up in the registry, started, its window found by caption.
#include "compiler/result_opener_win.h"

#include <shellapi.h>

#include <algorithm>

#include "compiler/open_command.h"
#include "project/path_names.h"
#include "project/work_folder_win.h"

namespace t2c {

namespace {

// The default value of a key under HKEY_CLASSES_ROOT, at most 260 characters; empty on failure.
std::string classesRootValue(const std::string& subKey) {
  char value[MAX_PATH + 1] = "";
  LONG size = MAX_PATH;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, subKey.c_str(), value, &size) != ERROR_SUCCESS) return std::string();
  value[MAX_PATH] = '\0';
  return value;
}

struct WindowSearch {
  DWORD processId;
  const std::string* title;
  HWND found;
};

BOOL CALLBACK matchViewerWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId) return TRUE;
  // Room for the whole title and one byte more: a longer caption cannot pass for it.
  std::string text(search->title->size() + 2, '\0');
  const LRESULT length =
      SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  if (*search->title != text) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK matchAnyVisibleWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Waits until the process is ready for input and shows a window, has ended, or the limit has
// passed. Wine's WaitForInputIdle can return before the new process has made its first window,
// so the windows are looked for as well, within the same limit.
void awaitViewerWindow(const PROCESS_INFORMATION& process, DWORD limitMs) {
  const DWORD start = GetTickCount();
  WaitForInputIdle(process.hProcess, limitMs);
  for (;;) {
    WindowSearch search = {process.dwProcessId, nullptr, nullptr};
    EnumWindows(matchAnyVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return;
    const DWORD elapsed = GetTickCount() - start;
    if (limitMs != INFINITE && elapsed >= limitMs) return;
    const DWORD pause = limitMs == INFINITE ? 20 : std::min<DWORD>(20, limitMs - elapsed);
    if (WaitForSingleObject(process.hProcess, pause) != WAIT_TIMEOUT) return;
  }
}

}  // namespace

std::string registeredOpenCommand(const std::string& extension) {
  std::string dotted = withLeadingDot(extension);
  if (dotted.empty()) return std::string();
  std::string fileClass = classesRootValue(dotted);
  if (fileClass.empty()) return std::string();
  std::string command = classesRootValue(fileClass + "\\shell\\open\\command");
  if (command.empty()) return std::string();
  return programOfCommand(command, isExistingFile);
}

bool openResult(const std::string& chmPath, const std::string& titleText, HWND& viewerWindow,
                DWORD readyWaitMs) {
  std::string viewer = registeredOpenCommand(".chm");
  if (!viewer.empty()) {
    std::string commandLine = " " + chmPath;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(viewer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
      awaitViewerWindow(process, readyWaitMs);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
      WindowSearch search = {process.dwProcessId, &titleText, nullptr};
      EnumWindows(matchViewerWindow, reinterpret_cast<LPARAM>(&search));
      viewerWindow = search.found;
      return true;
    }
  }
  HINSTANCE result = ShellExecuteA(GetDesktopWindow(), "open", chmPath.c_str(), nullptr, nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace t2c
