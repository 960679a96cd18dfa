// Showing the compiled help file in the registered viewer, and remembering the viewer's window.
#pragma once

#include <windows.h>

#include <string>

namespace t2c {

// The program registered to open files with this extension; empty when there is none.
std::string registeredOpenCommand(const std::string& extension);

// Starts the registered viewer on the file and stores its window captioned `titleText` in
// `viewerWindow` (0 when none is found); falls back to the shell's open action, which leaves
// `viewerWindow` alone. True when something was started. The viewer gets `readyWaitMs` to become
// ready for input and show a window before its windows are searched.
constexpr DWORD kViewerReadyWaitMs = 3000;
bool openResult(const std::string& chmPath, const std::string& titleText, HWND& viewerWindow,
                DWORD readyWaitMs = kViewerReadyWaitMs);

}  // namespace t2c
