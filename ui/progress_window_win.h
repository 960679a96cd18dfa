// The captionless window that shows which node is being collected while the host sends nodes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace t2c {

class ProgressWindow {
 public:
  // Creates the window from its template, centred on the desktop, shown and painted at once;
  // none when the window cannot be created.
  static std::unique_ptr<ProgressWindow> Show();
  ~ProgressWindow();

  void SetText(const std::string& text);
  HWND Handle() const { return window_; }

 private:
  explicit ProgressWindow(HWND window) : window_(window) {}
  HWND window_;
};

}  // namespace t2c
