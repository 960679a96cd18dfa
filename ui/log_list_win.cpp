// LogList and TipPanel on their list-view and rich-edit controls.
#include "ui/log_list_win.h"

#include <commctrl.h>
#include <richedit.h>

#include "ui/dialog_texts.h"

namespace t2c {

void LogList::SetUp(HWND list, COLORREF background, COLORREF text) {
  list_ = list;
  ListView_SetExtendedListViewStyle(list_, LVS_EX_INFOTIP);
  ListView_SetBkColor(list_, background);
  ListView_SetTextBkColor(list_, background);
  ListView_SetTextColor(list_, text);
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.pszText = const_cast<char*>("");
  SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void LogList::Append(const std::string& line) {
  // Between two showings the list is not redrawn at all: under Wine an insertion into a list
  // that redraws updates its scroll bar on the display there and then.
  if (!frozen_) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    frozen_ = true;
  }
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ListView_GetItemCount(list_);
  item.pszText = const_cast<char*>(line.c_str());
  SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  // Autosizing measures every line, so a long build would slow down with each line it logs;
  // measuring the new line alone keeps the same width.
  const int needed = ListView_GetStringWidth(list_, line.c_str()) + kLabelMargins;
  if (needed > columnWidth_) {
    columnWidth_ = needed;
    ListView_SetColumnWidth(list_, 0, columnWidth_);
  }
  // Painting costs more than writing most articles (about 10 ms a line under Wine), and a build
  // logs a line per conversion: while it runs, the newest line is shown four times a second.
  if (!pace_.Due()) return;
  ShowLast();
}

void LogList::ShowLast() {
  if (frozen_) {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    frozen_ = false;
  }
  const int count = ListView_GetItemCount(list_);
  if (count > 0) ListView_EnsureVisible(list_, count - 1, TRUE);
  UpdateWindow(list_);
  pace_.Shown();
}

void LogList::ShowNow() {
  if (frozen_) ShowLast();
}

void LogList::Clear() {
  ListView_DeleteAllItems(list_);
  columnWidth_ = 0;
  pace_.Restart();
  UpdateWindow(list_);
}

void TipPanel::SetUp(HWND panel) {
  panel_ = panel;
  SendMessageA(panel_, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_INFOBK));
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = GetSysColor(COLOR_INFOTEXT);
  // The default format as well, so that every later text keeps the colour.
  SendMessageA(panel_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(panel_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  if (HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT))
    SendMessageA(panel_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(panel_, EM_AUTOURLDETECT, TRUE, 0);
}

void TipPanel::Update(HWND dialog, const std::string& heading, const std::string& tipText) {
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(dialog, &cursor);
  if (!ChildWindowFromPointEx(dialog, cursor, CWP_ALL)) return;
  if (tipText.empty()) return;
  SetWindowTextA(panel_, tipPanelText(heading, tipText).c_str());
}

}  // namespace t2c
