// The stand-in's automatic mode: from a second thread it works the plug-in's main window as a
// person would (options, title, "Make CHM-file", the save dialog, "Close") while the host's own
// thread runs the export protocol, and it reports what the window's log said.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "host/command_line.h"

namespace tly {

struct AutomationPlan {
  OptionSwitches options;
  std::string output;    // full Windows path of the help file to make
  std::string title;     // the help-file title to type in; empty keeps the proposed one
  std::vector<std::string> excluded;  // label paths below the tree's root, "/"-separated
  DWORD windowLimitMs = 600000;
  bool build = true;  // false: the window opens, takes the options and closes
};

struct AutomationResult {
  bool built = false;              // the window reported the help file made
  std::vector<std::string> log;    // the window's log lines after the build
  std::vector<std::string> notes;  // message boxes answered and other events, one line each
  std::string failure;             // why the run did not get to a built file; empty when it did
};

class Automation {
 public:
  explicit Automation(AutomationPlan plan);
  ~Automation();
  Automation(const Automation&) = delete;
  Automation& operator=(const Automation&) = delete;

  // Starts the driving thread; it waits for the plug-in's window to appear.
  bool Start();
  // Waits for the driving thread to end and returns what it found. Call it once the host's
  // export call has returned: a window that has not appeared by then never will.
  AutomationResult Finish();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Drive();
  HWND WaitForMainWindow();
  bool ApplyOptions(HWND dialog);
  bool SetButton(HWND dialog, int id, bool on);
  bool Exclude(HWND dialog, const std::string& path);
  bool StartBuild(HWND dialog);
  bool AwaitBuild(HWND dialog);
  bool AnswerMessageBoxes(bool acceptQuestions);

  AutomationPlan plan_;
  AutomationResult result_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> exportReturned_{false};
};

}  // namespace tly
