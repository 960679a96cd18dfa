// Progress window: created, centred, updated and destroyed by the export protocol.
#include "ui/progress_window_win.h"

#include <new>

#include "plugin/plugin_module_win.h"
#include "resources/progress_dialog.h"

namespace t2c {

namespace {

INT_PTR CALLBACK progressProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Centres without resizing; the desktop's own origin is not added.
void centreOnDesktop(HWND window) {
  RECT desktop, own;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &own);
  int x = ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
  int y = ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

std::unique_ptr<ProgressWindow> ProgressWindow::Show() {
  HWND window = CreateDialogParamA(pluginInstance(), MAKEINTRESOURCEA(IDD_PROGRESS), nullptr,
                                   progressProc, 0);
  if (!window) return nullptr;
  // Owned before anything else can fail, so the window never outlives its object.
  std::unique_ptr<ProgressWindow> progress(new (std::nothrow) ProgressWindow(window));
  if (!progress) {
    DestroyWindow(window);
    return nullptr;
  }
  centreOnDesktop(window);
  return progress;
}

ProgressWindow::~ProgressWindow() { DestroyWindow(window_); }

void ProgressWindow::SetText(const std::string& text) {
  SetDlgItemTextA(window_, IDC_PROGRESS_TEXT, text.c_str());
}

}  // namespace t2c
