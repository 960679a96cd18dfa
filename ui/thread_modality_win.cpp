// Disables the thread's top-level windows while a modal window of ours is open.
#include "ui/thread_modality_win.h"

namespace t2c {

namespace {

BOOL CALLBACK collectEnabled(HWND window, LPARAM found) {
  if (IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

ThreadModality::ThreadModality() {
  // Collected first: disabling a window can change which of the others are enabled.
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&disabled_));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

ThreadModality::~ThreadModality() { Release(); }

HWND ThreadModality::TopVisible() const {
  // The enumeration runs from the top of the z-order down.
  for (HWND window : disabled_)
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

void ThreadModality::Release() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  disabled_.clear();
}

}  // namespace t2c
