// The lower panes of the main window: the build's log and the panel that repeats the last tip.
#pragma once

#include <windows.h>

#include <string>

#include "project/tick_clock.h"

namespace t2c {

// The report-style list 3007: one line per build step, always scrolled to the last one.
class LogList {
 public:
  void SetUp(HWND list, COLORREF background, COLORREF text);
  // Appends the line; scrolls to it and paints at once (a build blocks the window's thread until
  // it ends) unless the list was shown less than a quarter of a second ago.
  void Append(const std::string& line);
  // Scrolls to the last line and paints now: for the end of a build.
  void ShowLast();
  // Paints the lines not shown yet, if any: before a step that can take long, during which the
  // window cannot paint.
  void ShowNow();
  void Clear();
  HWND Handle() const { return list_; }

 private:
  // The space a report view leaves around a label, on either side together.
  static constexpr int kLabelMargins = 12;
  HWND list_ = nullptr;
  int columnWidth_ = 0;
  bool frozen_ = false;
  ShowingPace pace_{250};
};

// The read-only rich edit 3014 under the log.
class TipPanel {
 public:
  void SetUp(HWND panel);
  // Shows the tip, cleaned of its anchors, behind the heading; nothing when the mouse is over no
  // window of `dialog` or the tip is empty.
  void Update(HWND dialog, const std::string& heading, const std::string& tipText);

 private:
  HWND panel_ = nullptr;
};

}  // namespace t2c
