// Window driving for tests and the stand-in's automatic mode: queries by message, input by posting.
#include "host/window_driver_win.h"

#include <atomic>

namespace tly {

namespace {

constexpr DWORD kPollMs = 10;
// The message box's text control, the same on Windows and Wine.
constexpr int kMessageTextId = 0xFFFF;
// The file name box of the Explorer-style file dialogs: a combo box, or an edit box in older ones.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kDriverLimitMs, &result)) return 0;
  return static_cast<LRESULT>(result);
}

std::string className(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Search {
  std::function<bool(HWND)> matches;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !search->matches(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND waitForMatch(const std::function<bool(HWND)>& matches, DWORD limitMs) {
  HWND found = nullptr;
  waitUntil([&] {
    Search search{matches, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    found = search.found;
    return found != nullptr;
  }, limitMs);
  return found;
}

bool isDialogCaptioned(HWND window, const std::string& caption) {
  return className(window) == "#32770" && windowText(window) == caption;
}

bool isSaveDialog(HWND window, const std::string& title) {
  return isDialogCaptioned(window, title) && (GetDlgItem(window, kFileNameCombo) || GetDlgItem(window, kFileNameEdit));
}

// The centre of the item's label in the tree's client coordinates.
POINT itemCentre(HWND tree, HTREEITEM item) {
  // The message takes the item in the rectangle's place.
  union {
    RECT rect;
    HTREEITEM item;
  } asked = {};
  asked.item = item;
  send(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&asked.rect));
  const RECT& rect = asked.rect;
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void postAt(HWND window, UINT message, WPARAM keys, POINT at) {
  PostMessageA(window, message, keys, MAKELPARAM(at.x, at.y));
}

// One event of the system's mouse at a screen point.
void mouseInput(DWORD flags, POINT at) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

MENUITEMINFOA menuItemInfo(HMENU menu, UINT position, char* text, UINT room) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = room;
  GetMenuItemInfoA(menu, position, TRUE, &info);
  return info;
}

// The marker that settle() posts, and the last one the hook saw taken from the queue.
constexpr WPARAM kSettleMarker = 0x7E11;
std::atomic<LONG> g_settleCookie{0};
std::atomic<LONG> g_settleSeen{0};

LRESULT CALLBACK watchForMarker(int code, WPARAM removal, LPARAM message) {
  const MSG* taken = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && taken->message == WM_NULL && taken->wParam == kSettleMarker)
    g_settleSeen = static_cast<LONG>(taken->lParam);
  return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace

bool settle(HWND window, DWORD limitMs) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK hook = thread ? SetWindowsHookExA(WH_GETMESSAGE, watchForMarker, nullptr, thread) : nullptr;
  if (!hook) return false;
  const LONG cookie = ++g_settleCookie;
  // The posted queue is first in, first out: once the marker is taken, so is all before it.
  bool taken = PostMessageA(window, WM_NULL, kSettleMarker, cookie) &&
               waitUntil([&] { return g_settleSeen == cookie; }, limitMs);
  UnhookWindowsHookEx(hook);
  // The thread asks for its next message only when it has handled the one before.
  DWORD_PTR ignored = 0;
  return taken && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &ignored) != 0;
}

bool waitUntil(const std::function<bool()>& condition, DWORD limitMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= limitMs) return false;
    Sleep(kPollMs);
  }
}

HWND waitForWindow(const std::string& wanted, const std::string& caption, bool captionIsPrefix, DWORD limitMs) {
  return waitForMatch([&](HWND window) {
    if (!wanted.empty() && className(window) != wanted) return false;
    std::string text = windowText(window);
    return captionIsPrefix ? text.compare(0, caption.size(), caption) == 0 : text == caption;
  }, limitMs);
}

bool waitForWindowGone(HWND window, DWORD limitMs) {
  return waitUntil([&] { return !IsWindow(window); }, limitMs);
}

HWND control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string windowText(HWND window) {
  int length = static_cast<int>(send(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = static_cast<int>(send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0])));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(control(dialog, id)) != FALSE; }

bool isChecked(HWND dialog, int id) { return send(control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool isVisible(HWND dialog, int id) { return IsWindowVisible(control(dialog, id)) != FALSE; }

bool click(HWND dialog, int id) {
  HWND button = control(dialog, id);
  if (!button || !IsWindowEnabled(button)) return false;
  return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

void setText(HWND dialog, int id, const std::string& text) {
  send(control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void pressKey(HWND window, WORD virtualKey) {
  UINT scan = MapVirtualKeyA(virtualKey, 0);
  PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void dragWithMouse(POINT from, POINT to) {
  SetCursorPos(from.x, from.y);
  mouseInput(0, from);
  mouseInput(MOUSEEVENTF_LEFTDOWN, from);
  // In steps, as a hand moves, so that the window follows each one.
  for (int step = 1; step <= 8; ++step) {
    Sleep(kPollMs);
    mouseInput(0, {from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
  }
  mouseInput(MOUSEEVENTF_LEFTUP, to);
}

std::vector<TreeEntry> treeItems(HWND tree) {
  std::vector<TreeEntry> entries;
  std::vector<std::pair<HTREEITEM, int>> pending;
  auto pushSiblings = [&](HTREEITEM first, int depth) {
    std::vector<HTREEITEM> siblings;
    for (HTREEITEM item = first; item;
         item = reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
      siblings.push_back(item);
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) pending.push_back({*it, depth});
  };
  pushSiblings(reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0);
  while (!pending.empty()) {
    auto [handle, depth] = pending.back();
    pending.pop_back();
    char text[1024] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = handle;
    item.stateMask = TVIS_BOLD | TVIS_CUT | TVIS_SELECTED | TVIS_EXPANDED;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    TreeEntry entry;
    entry.label = text;
    entry.depth = depth;
    entry.image = item.iImage;
    entry.bold = (item.state & TVIS_BOLD) != 0;
    entry.cut = (item.state & TVIS_CUT) != 0;
    entry.selected = (item.state & TVIS_SELECTED) != 0;
    entry.expanded = (item.state & TVIS_EXPANDED) != 0;
    entry.handle = handle;
    entries.push_back(entry);
    pushSiblings(reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(handle))),
                 depth + 1);
  }
  return entries;
}

HTREEITEM findTreeItem(HWND tree, const std::string& label) {
  for (const TreeEntry& entry : treeItems(tree))
    if (entry.label == label) return entry.handle;
  return nullptr;
}

void selectTreeItem(HWND tree, HTREEITEM item) {
  send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void rightClickAt(HWND window, POINT clientPoint) {
  POINT screen = clientPoint;
  ClientToScreen(window, &screen);
  // The system's own input, so that the cursor is where the click is when the window asks.
  mouseInput(0, screen);
  waitUntil([&] {
    POINT now;
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
  });
  mouseInput(MOUSEEVENTF_RIGHTDOWN, screen);
  mouseInput(MOUSEEVENTF_RIGHTUP, screen);
}

void rightClickTreeItem(HWND tree, HTREEITEM item) {
  send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  rightClickAt(tree, itemCentre(tree, item));
}

void doubleClickTreeItem(HWND tree, HTREEITEM item) {
  send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  // A person's double click selects the item with its first press.
  selectTreeItem(tree, item);
  postAt(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, itemCentre(tree, item));
  postAt(tree, WM_LBUTTONUP, 0, itemCentre(tree, item));
}

bool editTreeLabel(HWND tree, HTREEITEM item, const std::string& text, WORD endKey) {
  if (item) PostMessageA(tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
  HWND edit = nullptr;
  if (!waitUntil([&] { return (edit = reinterpret_cast<HWND>(send(tree, TVM_GETEDITCONTROL, 0, 0))) != nullptr; }))
    return false;
  send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  pressKey(edit, endKey);
  return waitUntil([&] { return send(tree, TVM_GETEDITCONTROL, 0, 0) == 0; });
}

std::vector<std::string> listLines(HWND list) {
  std::vector<std::string> lines;
  int count = static_cast<int>(send(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[4096] = "";
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    send(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    lines.push_back(text);
  }
  return lines;
}

std::vector<std::string> comboEntries(HWND combo) {
  std::vector<std::string> entries;
  int count = static_cast<int>(send(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(send(combo, CB_GETLBTEXTLEN, i, 0));
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    length = static_cast<int>(send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    entries.push_back(text);
  }
  return entries;
}

std::string comboSelection(HWND combo) {
  LRESULT index = send(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::string();
  std::vector<std::string> entries = comboEntries(combo);
  return static_cast<size_t>(index) < entries.size() ? entries[static_cast<size_t>(index)] : std::string();
}

MessageBoxSeen waitForMessageBox(const std::string& caption, DWORD limitMs) {
  MessageBoxSeen seen;
  seen.window = waitForMatch([&](HWND window) {
    return isDialogCaptioned(window, caption) && GetDlgItem(window, kMessageTextId);
  }, limitMs);
  if (seen.window) seen.text = windowText(GetDlgItem(seen.window, kMessageTextId));
  return seen;
}

bool pressDialogButton(HWND dialog, int buttonId, DWORD limitMs) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
  return waitForWindowGone(dialog, limitMs);
}

HWND typeIntoSaveDialog(const std::string& title, const std::string& path, DWORD limitMs) {
  HWND dialog = waitForMatch([&](HWND window) { return isSaveDialog(window, title); }, limitMs);
  if (!dialog) return nullptr;
  HWND name = GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = GetDlgItem(dialog, kFileNameEdit);
  send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return dialog;
}

bool answerSaveDialog(const std::string& title, const std::string& path, bool cancel, DWORD limitMs) {
  if (cancel) {
    HWND dialog = waitForMatch([&](HWND window) { return isSaveDialog(window, title); }, limitMs);
    return dialog && pressDialogButton(dialog, IDCANCEL, limitMs);
  }
  HWND dialog = typeIntoSaveDialog(title, path, limitMs);
  if (!dialog) return false;
  // Either the dialog closes, or it asks first whether the existing file may be replaced.
  HWND question = nullptr;
  bool settled = waitUntil([&] {
    if (!IsWindow(dialog)) return true;
    Search search{[&](HWND window) {
      return isDialogCaptioned(window, title) && GetDlgItem(window, kMessageTextId) && GetWindow(window, GW_OWNER) == dialog;
    }, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    question = search.found;
    return question != nullptr;
  }, limitMs);
  if (!settled) return false;
  if (question) pressDialogButton(question, IDYES, limitMs);
  return waitForWindowGone(dialog, limitMs);
}

HWND waitForPopupMenu(DWORD limitMs) { return waitForWindow("#32768", "", true, limitMs); }

std::vector<MenuEntry> popupMenuEntries(HWND menuWindow) {
  std::vector<MenuEntry> entries;
  auto menu = reinterpret_cast<HMENU>(send(menuWindow, MN_GETHMENU, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    MENUITEMINFOA info = menuItemInfo(menu, static_cast<UINT>(i), text, sizeof text);
    MenuEntry entry;
    entry.id = info.wID;
    entry.text = text;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.enabled = !(info.fState & (MFS_DISABLED | MFS_GRAYED));
    entry.checked = (info.fState & MFS_CHECKED) != 0;
    entries.push_back(entry);
  }
  return entries;
}

bool choosePopupMenuItem(HWND menuWindow, UINT id, DWORD limitMs) {
  if (id == 0) {
    pressKey(menuWindow, VK_ESCAPE);
    return waitForWindowGone(menuWindow, limitMs);
  }
  auto menu = reinterpret_cast<HMENU>(send(menuWindow, MN_GETHMENU, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : 0;
  int target = -1;
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == id) target = i;
  if (target < 0 || (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED))) return false;
  auto highlighted = [&] {
    for (int i = 0; i < count; ++i)
      if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
  };
  // With the pointer, as a hand does: the keyboard's steps race with the highlight that the
  // pointer resting on the menu gives the item under it.
  RECT item = {};
  if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(target), &item)) return false;
  const POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  // A move that reaches the menu before its tracking has begun highlights nothing, so the
  // pointer keeps moving within the item until the menu answers.
  int nudge = 0;
  if (!waitUntil([&] {
        if (highlighted() == target) return true;
        mouseInput(0, {centre.x + (nudge++ % 2), centre.y});
        return false;
      }, limitMs))
    return false;
  mouseInput(MOUSEEVENTF_LEFTDOWN, centre);
  mouseInput(MOUSEEVENTF_LEFTUP, centre);
  return waitForWindowGone(menuWindow, limitMs);
}

}  // namespace tly
