// The main window under Wine: the opening, the option rules and the closing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "host/host_state_win.h"
#include "host/window_driver_win.h"
#include "model/export_settings.h"
#include "resources/main_dialog.h"
#include "window_session.h"
#include "windows_path.h"

namespace t2c {
namespace {

using tly::TreeEntry;

constexpr char kDocumentMode[] = "Make CHM-file from entire document";

// A document of every kind, with nodes the tree leaves out: a child of a plain-text node, an
// orphan, and a node of an unknown kind.
void fillMixedDocument(NodeStore& store) {
  addNode(store, 10, 99, 4, "Handbook");
  addNode(store, 11, 10, 0, "Welcome", "Hello & welcome");
  addNode(store, 18, 11, 0, "Under plain text", "never shown");
  addNode(store, 12, 10, 2, "Formatted", "{\\rtf1\\ansi Some {\\b bold} text.\\par}");
  addNode(store, 13, 10, 3, "Web page", "<html><body><p>Page</p></body></html>");
  addNode(store, 14, 10, 1, "Archive", "MIME-Version: 1.0\r\n\r\narchive");
  addNode(store, 15, 10, 5, "Chapter").icon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
  addNode(store, 16, 15, 0, "Notes", "plain notes");
  addNode(store, 17, 15, 2, "Deep", "{\\rtf1\\ansi Deep text.\\par}");
  addNode(store, 19, 77, 0, "Orphan", "never shown");
  addNode(store, 20, 10, 9, "Odd kind", "unknown");
}

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

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tly::hostState() = tly::HostState();
    tly::hostState().currentNodeId = 16;
    ExportSettings::Instance() = ExportSettings();
    placeConverter(true);
    placeCompiler(true);
    fillMixedDocument(store);
  }
  NodeStore store;
};

TEST_F(MainWindowTest, OpensOverTheDocument) {
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

  // Checked options are bold; the defaults check "Save formatting to HTML", plain text as HTML
  // and pictures.
  std::string marks;
  for (int id : {IDC_RTF_TO_HTML, IDC_RTF_ARTICLE, IDC_RTF_SKIP, IDC_RTF_LINK_PAGE, IDC_PLAIN_AS_HTML,
                 IDC_WITH_PICTURES, IDC_FULL_TEXT_SEARCH, IDC_SYNTAX_HIGHLIGHTING})
    marks += std::string(tly::isChecked(session.window, id) ? "x" : ".") +
             (fontWeight(session.Control(id)) == FW_BOLD ? "B " : "r ");
  EXPECT_EQ(marks, "xB .r .r .r xB xB .r .r ");

  std::string shot = hostPath(programFolder() + "..\\main_window.png");
  EXPECT_EQ(hostShell("import -window root '" + shot + "'"), 0) << shot;
  EXPECT_TRUE(session.Close());
}

}  // namespace
}  // namespace t2c
