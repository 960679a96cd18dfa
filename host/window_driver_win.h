// Drives the plug-in's windows the way a person would, from a thread other than theirs: finds
// windows and controls, clicks, types, reads what the windows show, and answers the save dialog,
// message boxes and the node menu. Used by the Wine tests and the stand-in's automatic mode.
//
// Every call that waits gives up after its limit and says so (null handle, false or empty), so a
// window that never comes ends a script instead of hanging it; the limits are generous, meant
// only to be reached by a hang. Messages to the windows are sent with the same limit, since the
// windows' thread stays busy while a build runs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tly {

constexpr DWORD kDriverLimitMs = 120000;

// Waits until the condition holds, checking it every few milliseconds; false at the limit.
bool waitUntil(const std::function<bool()>& condition, DWORD limitMs = kDriverLimitMs);

// A visible top-level window of this process with the class (any class when empty) and a caption
// that equals `caption`, or begins with it when `captionIsPrefix`; waits for it.
HWND waitForWindow(const std::string& className, const std::string& caption, bool captionIsPrefix,
                   DWORD limitMs = kDriverLimitMs);
// Waits until the window is gone.
bool waitForWindowGone(HWND window, DWORD limitMs = kDriverLimitMs);

// Waits until the window's thread has taken and handled every message posted to it before
// this call (clicks, keys). A message sent to the thread would not do: sent messages are
// handled before the posted ones waiting in its queue. False at the limit.
bool settle(HWND window, DWORD limitMs = kDriverLimitMs);

HWND control(HWND dialog, int id);
std::string windowText(HWND window);
bool isEnabled(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
bool isVisible(HWND dialog, int id);
// Posts a click to the button, as a person's click reaches it, and returns at once; false for a
// disabled or missing button, which a person cannot click.
bool click(HWND dialog, int id);
void setText(HWND dialog, int id, const std::string& text);
// Posts a key press and release to the window.
void pressKey(HWND window, WORD virtualKey);
// Moves the mouse to `from` (screen coordinates), presses the left button, drags to `to` and
// releases it there, as input of the system's mouse.
void dragWithMouse(POINT from, POINT to);

// One item of a tree control, in pre-order.
struct TreeEntry {
  std::string label;
  int depth = 0;
  int image = -1;
  bool bold = false;
  bool cut = false;
  bool selected = false;
  bool expanded = false;
  HTREEITEM handle = nullptr;
};
std::vector<TreeEntry> treeItems(HWND tree);
// The first item in pre-order with this label, or null.
HTREEITEM findTreeItem(HWND tree, const std::string& label);
void selectTreeItem(HWND tree, HTREEITEM item);
// Right-clicks the item's label with the system's mouse, or posts a double click there after
// selecting the item as the first press of a double click does.
void rightClickTreeItem(HWND tree, HTREEITEM item);
void doubleClickTreeItem(HWND tree, HTREEITEM item);
// The same right click at a point of the window's client area.
void rightClickAt(HWND window, POINT clientPoint);
// Starts editing the item's label (with a null item: waits for an edit begun otherwise), types
// the text into the edit box and ends the edit with the key (Enter keeps the text, Escape
// cancels); false when no edit box appears or it does not close.
bool editTreeLabel(HWND tree, HTREEITEM item, const std::string& text, WORD endKey);

std::vector<std::string> listLines(HWND list);
std::vector<std::string> comboEntries(HWND combo);
std::string comboSelection(HWND combo);

// A message box (or any dialog) of this process captioned exactly `caption`: its text, and a
// press of one of its buttons, after which it is waited away.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string text;
};
MessageBoxSeen waitForMessageBox(const std::string& caption, DWORD limitMs = kDriverLimitMs);
bool pressDialogButton(HWND dialog, int buttonId, DWORD limitMs = kDriverLimitMs);

// Waits for the save dialog titled `title`, types the path and confirms it, without waiting for
// the dialog to go: for a test that then watches a window whose thread the saving keeps busy.
// The dialog, or null when it does not appear.
HWND typeIntoSaveDialog(const std::string& title, const std::string& path, DWORD limitMs = kDriverLimitMs);
// Waits for the save dialog titled `title`, types the path, confirms it and, when the platform
// asks whether to replace an existing file, says yes; `cancel` closes it instead. False when the
// dialog does not appear or does not close.
bool answerSaveDialog(const std::string& title, const std::string& path, bool cancel = false,
                      DWORD limitMs = kDriverLimitMs);

// The items of the popup menu shown now, and the choice of one of them.
struct MenuEntry {
  UINT id = 0;
  std::string text;
  bool enabled = false;
  bool checked = false;
  bool separator = false;
};
HWND waitForPopupMenu(DWORD limitMs = kDriverLimitMs);
std::vector<MenuEntry> popupMenuEntries(HWND menuWindow);
// Chooses the enabled item with this command id with the pointer, as a person would; with id 0
// the menu is closed without a choice. False when the item is missing or disabled.
bool choosePopupMenuItem(HWND menuWindow, UINT id, DWORD limitMs = kDriverLimitMs);

}  // namespace tly
