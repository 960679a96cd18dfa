// Modal the way a task-modal message box is: every enabled top-level window of the thread is
// disabled for as long as this lives, and enabled again afterwards.
#pragma once

#include <windows.h>

#include <vector>

namespace t2c {

class ThreadModality {
 public:
  ThreadModality();
  ~ThreadModality();
  ThreadModality(const ThreadModality&) = delete;
  ThreadModality& operator=(const ThreadModality&) = delete;

  // The topmost visible window among those disabled: an owner for the modal window when the
  // thread has no active window; none when there is no such window.
  HWND TopVisible() const;

  // Enables the windows again now, so that the owner can take the activation back before the
  // modal window goes; later calls do nothing.
  void Release();

 private:
  std::vector<HWND> disabled_;
};

}  // namespace t2c
