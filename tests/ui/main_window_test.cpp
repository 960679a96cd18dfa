// The main window under Wine: the opening, the option rules and the closing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "host/host_state_win.h"
#include "host/window_driver_win.h"
#include "model/export_settings.h"
#include "resources/main_dialog.h"
#include "window_session.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

using tly::TreeEntry;

std::string outline(const std::vector<TreeEntry>& items) {
  std::string text;
  for (const TreeEntry& item : items) {
    text += std::string(static_cast<size_t>(item.depth), '.') + item.label + " " + std::to_string(item.image);
    if (item.bold) text += " bold";
    if (item.cut) text += " cut";
    if (item.selected) text += " selected";
    if (item.expanded) text += " expanded";
    text += "|";
  }
  return text;
}

LONG fontWeight(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfWeight;
}

DWORD storedSetting(const char* name) {
  DWORD value = 999, size = sizeof value;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brenmoor\\Tessaly\\Plugins\\Tessaly2CHM", 0, KEY_QUERY_VALUE,
                    &key) == ERROR_SUCCESS) {
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
  }
  return value;
}

std::string optionMarks(HWND window) {
  std::string marks;
  for (int id : {IDC_RTF_TO_HTML, IDC_RTF_ARTICLE, IDC_RTF_SKIP, IDC_RTF_LINK_PAGE, IDC_PLAIN_AS_HTML,
                 IDC_WITH_PICTURES, IDC_FULL_TEXT_SEARCH, IDC_SYNTAX_HIGHLIGHTING})
    marks += std::string(tly::isChecked(window, id) ? "x" : ".") + (tly::isEnabled(window, id) ? "" : "-") +
             (fontWeight(GetDlgItem(window, id)) == FW_BOLD ? "B " : "r ");
  return marks;
}

std::string storedSettings() {
  std::string text;
  for (const char* name : {"ExportPlainTextAsHTML", "MakeFullSearch", "ConvertHTML", "ExportWithSyntaxH", "WithPictures"})
    text += std::string(name) + "=" + std::to_string(storedSetting(name)) + " ";
  return text;
}

std::string cutItems(HWND tree) {
  std::string text;
  for (const TreeEntry& item : tly::treeItems(tree))
    if (item.cut) text += item.label + "|";
  return text;
}

// A point of the window's own background, between the two push buttons.
POINT backgroundPoint(HWND window) {
  RECT units = {120, 215, 0, 0};
  MapDialogRect(window, &units);
  POINT at = {units.left, units.top};
  ClientToScreen(window, &at);
  return at;
}

TEST_F(MainWindowTest, OpensOverTheDocument) {
  store.Clear();
  fillMixedDocument(store, true);
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);
  EXPECT_EQ(tly::windowText(session.window),
            std::string(kVersionTitle) + " - " + kDocumentMode + " [CHM-file articles: 9]");
  EXPECT_EQ(outline(tly::treeItems(session.Control(IDC_NODE_TREE))),
            "Handbook 0 expanded|.Welcome 1|.Formatted 2|.Web page 3|.Archive 4|.Chapter 5 expanded|"
            "..Notes 1 bold selected|..Deep 2|.Odd kind -2|");
  EXPECT_EQ(store[0]->parentId, 10);
  EXPECT_EQ(tly::windowText(session.Control(IDC_CHM_TITLE)), "Handbook");
  EXPECT_FALSE(tly::isVisible(session.window, IDC_PICTURE_LOADER));
  EXPECT_EQ(SendMessageA(session.Control(IDC_NODE_TREE), TVM_GETBKCOLOR, 0, 0), RGB(255, 255, 240));
  EXPECT_EQ(optionMarks(session.window), "xB .r .r .r xB xB .r .r ");

  // One entry per installed layout, the user's default language selected.
  HWND languages = session.Control(IDC_LANGUAGE_LIST);
  std::vector<std::string> entries = tly::comboEntries(languages);
  EXPECT_EQ(entries.size(), static_cast<size_t>(GetKeyboardLayoutList(0, nullptr)));
  char defaultId[16];
  wsprintfA(defaultId, "0x%x ", static_cast<unsigned>(GetUserDefaultLCID()));
  EXPECT_EQ(tly::comboSelection(languages).compare(0, strlen(defaultId), defaultId), 0)
      << tly::comboSelection(languages);

  std::string shot = hostPath(programFolder() + "..\\main_window.png");
  EXPECT_EQ(hostShell("import -window root '" + shot + "'"), 0) << shot;
  EXPECT_TRUE(session.Close());
}

// Counts the item changes the tree control is sent: a mark that changes on one item must not
// cost a message to every item.
WNDPROC g_treeProcedure = nullptr;
int g_itemChanges = 0;
LRESULT CALLBACK countingTreeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TVM_SETITEMA || message == TVM_SETITEMW) ++g_itemChanges;
  return CallWindowProcA(g_treeProcedure, window, message, wParam, lParam);
}

TEST_F(MainWindowTest, OptionRulesAndClosing) {
  MainWindowSession session(&store, "Handbook", "");
  ASSERT_TRUE(session.window);
  HWND tree = session.Control(IDC_NODE_TREE);
  g_treeProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingTreeProcedure)));
  std::string base = std::string(kVersionTitle) + " [CHM-file articles: ";
  EXPECT_EQ(tly::windowText(session.window), base + "8]");

  // "Include pictures from text" follows "Save formatting to HTML" and keeps its mark.
  ASSERT_TRUE(tly::click(session.window, IDC_RTF_ARTICLE));
  session.Settle();
  EXPECT_EQ(optionMarks(session.window), ".r xB .r .r xB x-B .r .r ");
  EXPECT_EQ(tly::windowText(session.window), base + "8]");
  EXPECT_FALSE(tly::click(session.window, IDC_WITH_PICTURES));

  // Skipping formatted text cuts the RTF items and leaves them out of the count.
  g_itemChanges = 0;
  ASSERT_TRUE(tly::click(session.window, IDC_RTF_SKIP));
  session.Settle();
  EXPECT_EQ(optionMarks(session.window), ".r .r xB .r xB x-B .r .r ");
  EXPECT_EQ(tly::windowText(session.window), base + "6]");
  EXPECT_EQ(cutItems(tree), "Formatted|Deep|");
  EXPECT_EQ(g_itemChanges, 2);

  g_itemChanges = 0;
  ASSERT_TRUE(tly::click(session.window, IDC_RTF_TO_HTML));
  session.Settle();
  EXPECT_EQ(optionMarks(session.window), "xB .r .r .r xB xB .r .r ");
  EXPECT_EQ(tly::windowText(session.window), base + "8]");
  EXPECT_EQ(cutItems(tree), "");
  EXPECT_EQ(g_itemChanges, 2);
  SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_treeProcedure));

  ASSERT_TRUE(tly::click(session.window, IDC_RTF_LINK_PAGE));
  ASSERT_TRUE(tly::click(session.window, IDC_FULL_TEXT_SEARCH));
  ASSERT_TRUE(tly::click(session.window, IDC_SYNTAX_HIGHLIGHTING));
  ASSERT_TRUE(tly::click(session.window, IDC_PLAIN_AS_HTML));
  session.Settle();
  EXPECT_EQ(optionMarks(session.window), ".r .r .r xB .r x-B xB xB ");
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(storedSettings(), "ExportPlainTextAsHTML=0 MakeFullSearch=1 ConvertHTML=3 ExportWithSyntaxH=1 WithPictures=1 ");
  EXPECT_TRUE(session.syntaxChanged);
}

TEST_F(MainWindowTest, SyntaxHighlightingNeedsHostBuild1944) {
  ExportSettings::Instance().ExportWithSyntaxH = 1;
  for (int build : {1943, 1944}) {
    tly::hostState().buildNumber = build;
    MainWindowSession session(&store, "Handbook", kDocumentMode);
    ASSERT_TRUE(session.window);
    bool available = build >= 1944;
    EXPECT_EQ(tly::isEnabled(session.window, IDC_SYNTAX_HIGHLIGHTING), available) << build;
    EXPECT_EQ(tly::isChecked(session.window, IDC_SYNTAX_HIGHLIGHTING), available) << build;
    ASSERT_TRUE(session.Close());
    EXPECT_EQ(storedSetting("ExportWithSyntaxH"), available ? 1u : 0u) << build;
    EXPECT_EQ(session.syntaxChanged, !available) << build;
    ExportSettings::Instance().ExportWithSyntaxH = 1;
  }
}

TEST_F(MainWindowTest, TipPanelAndMovingByTheBackground) {
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);

  // Resting the mouse on the log shows its tip, which the panel keeps.
  HWND log = session.Control(IDC_LOG_LIST);
  RECT area;
  GetWindowRect(log, &area);
  SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  PostMessageA(log, WM_MOUSEMOVE, 0, MAKELPARAM((area.right - area.left) / 2, (area.bottom - area.top) / 2));
  HWND panel = session.Control(IDC_TIP_PANEL);
  EXPECT_TRUE(tly::waitUntil([&] { return tly::windowText(panel) == "Tip\r\nCHM creation log"; }))
      << tly::windowText(panel);

  RECT before, after;
  GetWindowRect(session.window, &before);
  POINT from = backgroundPoint(session.window);
  tly::dragWithMouse(from, {from.x + 40, from.y + 30});
  EXPECT_TRUE(tly::waitUntil([&] {
    GetWindowRect(session.window, &after);
    return after.left == before.left + 40 && after.top == before.top + 30;
  })) << after.left - before.left << "," << after.top - before.top;
  EXPECT_TRUE(session.Close());
}

// An owner that goes while the window is open, closed by a message sent from another thread (as
// the end of a session is), takes the window with it: its loop ends and the host is usable again.
TEST_F(MainWindowTest, AnOwnerThatGoesEndsTheWindowAndFreesTheHost) {
  MainWindowSession session(&store, "Handbook", kDocumentMode, true);
  ASSERT_TRUE(session.window);
  EXPECT_FALSE(IsWindowEnabled(session.host[0]));
  SendMessageA(session.host[1], WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(session.window));
  EXPECT_TRUE(session.Close()) << "the window's loop waits on";
  EXPECT_TRUE(session.hostEnabledAfterwards);
}

}  // namespace
}  // namespace t2c
