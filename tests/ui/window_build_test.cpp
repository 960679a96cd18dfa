// Builds from the main window under Wine: "Make CHM-file" with its checks, the log, the node
// menu's edits in the help file, and the viewer of the previous build.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <regex>

#include "host/host_state_win.h"
#include "host/window_driver_win.h"
#include "model/export_settings.h"
#include "project/work_folder_win.h"
#include "resources/main_dialog.h"
#include "resources/node_menu.h"
#include "ui/node_tree_view_win.h"
#include "viewer_registration.h"
#include "window_session.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

constexpr char kSaveTitle[] = "Make CHM-file";
constexpr char kViewerCaption[] =
    "Handbook [The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example]";

// The log of a build as a text, with the figures that depend on the machine's speed written as N
// and without the compiler's progress lines.
std::string logText(HWND window) {
  std::string text;
  bool compiling = false;
  for (const std::string& line : tly::listLines(GetDlgItem(window, IDC_LOG_LIST))) {
    if (line.rfind("Complete HTML Help complier ", 0) == 0) compiling = false;
    if (compiling || line.rfind("   OK, ", 0) == 0 || line.rfind("   Fail!, ", 0) == 0) continue;
    if (line.rfind("Start HTML Help compiler at ", 0) == 0) compiling = true;
    std::string steady = std::regex_replace(line, std::regex("timeout [0-9]+ sec"), "timeout N sec");
    steady = std::regex_replace(steady, std::regex(" successfully complete \\[.*\\]$"), " successfully complete [N]");
    steady = std::regex_replace(steady, std::regex("\\(error 0x[0-9A-F]{8}\\)$"), "(error N)");
    text += steady + "\n";
  }
  return text;
}

class WindowBuildTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    folder = tempFolder() + "t2c window test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("T2C_VIEWER_CAPTION", kViewerCaption);
  }
  void TearDown() override {
    closeFakeViewers();
    SetEnvironmentVariableA("T2C_VIEWER_CAPTION", nullptr);
    removeWorkFolder(folder);
  }

  // Presses "Make CHM-file", answers the save dialog and waits for the result line.
  std::string MakeChmFile(MainWindowSession& session, const std::string& destination) {
    if (!tly::click(session.window, IDOK) || !tly::answerSaveDialog(kSaveTitle, destination)) return "no save dialog";
    HWND log = session.Control(IDC_LOG_LIST);
    tly::waitUntil([&] {
      std::vector<std::string> lines = tly::listLines(log);
      return !lines.empty() && lines.back().rfind("Creation ", 0) == 0;
    });
    return logText(session.window);
  }

  // What the help file holds, as the host system's CHM readers see it.
  std::string Stored(const std::string& chm) {
    return hostOutput("7z l -slt '" + hostPath(chm) + "' | sed '1,/^----------$/d' | sed -n 's/^Path = //p' | "
                      "grep -v -e '^[#$]' -e '^_#_README' | sort | tr '\\n' ' '");
  }
  std::string System(const std::string& chm) {
    return hostOutput("chmls printsystem '" + hostPath(chm) + "' | tr -d '\\r\\000' | sed -n "
                      "-e 's/.*Default topic from \\[options\\] *:\\(.*\\)/topic \\1/p' "
                      "-e 's/.*LCID from HHP file *: *\\(.*\\)/language \\1/p' | sort");
  }
  std::string ContentsNames(const std::string& chm) {
    return hostOutput("7z e -so '" + hostPath(chm) + "' content.hhc | sed -n 's/.*<param name=\"Name\" value=\"\\(.*\\)\">.*/\\1/p' | tr '\\n' '|'");
  }

  Registration viewer{".chm", "\"" + fakeViewer() + "\" %1"};
  std::string folder;
};

// The two nodes of the sample store that the tree cannot place, named at the start of every build.
const char kUnplacedLines[] =
    "Not in the tree, so not in the CHM-file: Under plain text\n"
    "Not in the tree, so not in the CHM-file: Orphan\n";

std::string expectedLog(const std::string& destination, const std::string& articleLines, bool delivered,
                        const std::string& unplacedLines = kUnplacedLines) {
  std::string name = destination.substr(destination.find_last_of('\\') + 1);
  std::string text = "Start creation CHM-file to " + destination + "\n" + unplacedLines +
                     "Convert nodes headers to filenames\x85\n"
                     "Write data to files\x85\n" + articleLines +
                     "Make content file\x85\n"
                     "Start HTML Help compiler at " + programFolder() + "HHC.exe\x85\n"
                     "Complete HTML Help complier with exit code " + (delivered ? "1" : "0") + ", timeout N sec\n";
  if (delivered)
    text += "Start HTML Help with " + name + "\nExport to " + name + " successfully complete [N]\nCreation " +
            destination + " successfully complete\n";
  else
    text += "Creation " + destination + " failed\n";
  return text;
}

TEST_F(WindowBuildTest, BuildsTwiceFromOneOpening) {
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);
  std::string first = folder + "Handbook.chm";
  EXPECT_EQ(MakeChmFile(session, first),
            expectedLog(first,
                        "Convert to HTML Welcome\x85\nConvert to HTML Formatted\x85\n"
                        "Convert to HTML Notes\x85\nConvert to HTML Deep\x85\n",
                        true));
  EXPECT_TRUE(isExistingFile(first));
  HWND viewerWindow = FindWindowA("T2CFakeViewer", kViewerCaption);
  EXPECT_TRUE(viewerWindow);

  // The next "Make CHM-file" closes that viewer before it asks for the destination.
  std::string second = folder + "Second.chm";
  ASSERT_TRUE(tly::click(session.window, IDOK));
  ASSERT_TRUE(tly::waitForWindow("#32770", kSaveTitle, false));
  EXPECT_FALSE(IsWindow(viewerWindow));
  ASSERT_TRUE(tly::answerSaveDialog(kSaveTitle, second));
  tly::waitUntil([&] { return logText(session.window).find("\nCreation ") != std::string::npos; });
  EXPECT_EQ(logText(session.window).substr(0, 28 + second.size()), "Start creation CHM-file to " + second + "\n");
  EXPECT_EQ(logText(session.window).find(first), std::string::npos);

  // The second build has the picture too, in its own work folder.
  EXPECT_EQ(Stored(first), "Picture_0.bmp content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm file5.htm ");
  EXPECT_EQ(Stored(second), "Picture_0.bmp content.hhc file0.htm file1.htm file2.htm file3.mht file4.htm file5.htm ");
  EXPECT_EQ(hostOutput("7z e -so '" + hostPath(second) + "' file1.htm | grep -c \"<IMG SRC='Picture_0.bmp'>\""), "1\n");
  char languageId[16];
  std::string language = tly::comboSelection(session.Control(IDC_LANGUAGE_LIST));
  wsprintfA(languageId, "%lu", strtoul(language.c_str(), nullptr, 16));
  EXPECT_EQ(System(second), "language " + std::string(languageId) + "\ntopic file4.htm\n");
  EXPECT_EQ(ContentsNames(second), "Handbook|Welcome|Formatted|Web page|Archive|Chapter|Notes|Deep|");
  EXPECT_TRUE(session.Close());
}


// The log list's last line when it last painted, taken on the window's thread, which a build
// keeps from answering other threads.
std::mutex g_paintedLock;
std::string g_painted;
WNDPROC g_listProcedure = nullptr;

LRESULT CALLBACK recordPainting(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    const std::vector<std::string> lines = tly::listLines(list);
    const std::lock_guard<std::mutex> hold(g_paintedLock);
    g_painted = lines.empty() ? "" : lines.back();
  }
  return CallWindowProcA(g_listProcedure, list, message, wParam, lParam);
}

bool paintedLast(const std::string& line) {
  return tly::waitUntil([&] {
    const std::lock_guard<std::mutex> hold(g_paintedLock);
    return g_painted == line;
  });
}

// A compiler that takes its time: the log shows the line before it, and each of its console
// lines as it comes, while the window's thread waits for it.
TEST_F(WindowBuildTest, TheLogShowsWhereTheBuildIsWhileTheCompilerRuns) {
  ASSERT_TRUE(CopyFileA(windowsPath(T2C_FAKE_COMPILER).c_str(), (programFolder() + "HHC.exe").c_str(), FALSE));
  HANDLE pacer = CreateSemaphoreA(nullptr, 0, 8, "t2c window test pacer");
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_PACER", "t2c window test pacer");
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);
  g_listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(session.Control(IDC_LOG_LIST), GWLP_WNDPROC,
                                                                reinterpret_cast<LONG_PTR>(recordPainting)));
  ASSERT_TRUE(tly::click(session.window, IDOK));
  // From here until the compiler ends, the window's thread answers no message.
  ASSERT_TRUE(tly::typeIntoSaveDialog(kSaveTitle, folder + "Paced.chm"));
  EXPECT_TRUE(paintedLast("Start HTML Help compiler at " + programFolder() + "HHC.exe\x85"));
  ReleaseSemaphore(pacer, 1, nullptr);
  EXPECT_TRUE(paintedLast("Fake compiler"));
  ReleaseSemaphore(pacer, 2, nullptr);  // the warning, and one a failed wait above held back
  EXPECT_TRUE(tly::waitUntil([&] { return logText(session.window).find("\nCreation ") != std::string::npos; }));
  EXPECT_NE(logText(session.window).find("exit code 0, timeout N sec\nHHC: warning: exiting with 0\nCreation "),
            std::string::npos);
  EXPECT_TRUE(session.Close());
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_PACER", nullptr);
  CloseHandle(pacer);
}

std::string menuText(const std::vector<tly::MenuEntry>& entries) {
  std::string text;
  for (const tly::MenuEntry& entry : entries)
    text += entry.separator ? std::string("-|")
                            : std::to_string(entry.id) + " " + entry.text + (entry.enabled ? " E" : " -") +
                                  (entry.checked ? "C|" : "|");
  return text;
}

std::string treeMarks(HWND tree) {
  std::string text;
  for (const tly::TreeEntry& item : tly::treeItems(tree))
    text += item.label + (item.bold ? "*" : "") + (item.cut ? "~" : "") + (item.selected ? "<" : "") + "|";
  return text;
}

// Shows the node menu of the item (or of a point in the tree without one), reads it and chooses.
std::string useNodeMenu(HWND tree, const std::string& label, UINT command) {
  if (label.empty()) {
    RECT client;
    GetClientRect(tree, &client);
    tly::rightClickAt(tree, {client.right / 2, client.bottom - 4});
  } else {
    tly::rightClickTreeItem(tree, tly::findTreeItem(tree, label));
  }
  HWND menu = tly::waitForPopupMenu();
  if (!menu) return "no menu";
  std::string text = menuText(tly::popupMenuEntries(menu));
  if (!tly::choosePopupMenuItem(menu, command)) text += " (not chosen)";
  return text;
}

TEST_F(WindowBuildTest, NodeMenuEditsReachTheHelpFile) {
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);
  HWND tree = session.Control(IDC_NODE_TREE);
  const std::string title = tly::windowText(session.window);

  EXPECT_EQ(useNodeMenu(tree, "Handbook", 0),
            "32772 Change title\x85 E|32774 Show In Tessaly E|-|32773 Make this node as first article E|-|"
            "32771 Exclude from CHM-file -|32775 Include all to CHM-file E|");
  EXPECT_EQ(useNodeMenu(tree, "Chapter", ID_NODE_EXCLUDE),
            "32772 Change title\x85 E|32774 Show In Tessaly E|-|32773 Make this node as first article E|-|"
            "32771 Exclude from CHM-file E|32775 Include all to CHM-file E|");
  session.Settle();
  EXPECT_EQ(treeMarks(tree), "Handbook|Welcome|Formatted|Web page|Archive|Chapter~<|Notes*~|Deep~|");
  EXPECT_EQ(tly::windowText(session.window), title);

  // Inside the excluded branch an item toggles by its own state.
  EXPECT_EQ(useNodeMenu(tree, "Notes", ID_NODE_EXCLUDE),
            "32772 Change title\x85 EC|32774 Show In Tessaly E|-|32773 Make this node as first article EC|-|"
            "32771 Exclude from CHM-file EC|32775 Include all to CHM-file E|");
  session.Settle();
  EXPECT_EQ(treeMarks(tree), "Handbook|Welcome|Formatted|Web page|Archive|Chapter~|Notes*<|Deep~|");
  useNodeMenu(tree, "Notes", ID_NODE_INCLUDE_ALL);
  session.Settle();
  EXPECT_EQ(treeMarks(tree), "Handbook|Welcome|Formatted|Web page|Archive|Chapter|Notes*<|Deep|");

  // A right click beside the items keeps the selection and still shows the menu.
  EXPECT_NE(useNodeMenu(tree, "", 0), "no menu");
  EXPECT_EQ(treeMarks(tree), "Handbook|Welcome|Formatted|Web page|Archive|Chapter|Notes*<|Deep|");

  useNodeMenu(tree, "Chapter", ID_NODE_EXCLUDE);
  useNodeMenu(tree, "Welcome", ID_NODE_FIRST_ARTICLE);
  // Renamed through the menu and committed with Enter, which builds nothing; Escape cancels.
  useNodeMenu(tree, "Web page", ID_NODE_RENAME);
  EXPECT_TRUE(tly::editTreeLabel(tree, nullptr, "Renamed page", VK_RETURN));
  EXPECT_TRUE(tly::editTreeLabel(tree, tly::findTreeItem(tree, "Archive"), "Lost name", VK_ESCAPE));
  session.Settle();
  EXPECT_FALSE(tly::waitForWindow("#32770", kSaveTitle, false, 0));
  EXPECT_EQ(treeMarks(tree), "Handbook|Welcome*|Formatted|Renamed page<|Archive|Chapter~|Notes~|Deep~|");

  // Show in Tessaly by a double click, which also collapses the container.
  tly::doubleClickTreeItem(tree, tly::findTreeItem(tree, "Chapter"));
  session.Settle();
  EXPECT_EQ(tly::hostState().shownNodes, std::vector<int>{15});
  EXPECT_FALSE(tly::treeItems(tree)[5].expanded);

  std::string chm = folder + "Edited.chm";
  MakeChmFile(session, chm);
  // The excluded branch stays out, its formatted note too.
  EXPECT_EQ(Stored(chm), "Picture_0.bmp content.hhc file0.htm file1.htm file2.htm file3.mht ");
  EXPECT_EQ(System(chm), "language 1033\ntopic file0.htm\n");
  EXPECT_EQ(ContentsNames(chm), "Handbook|Welcome|Formatted|Renamed page|Archive|");
  EXPECT_TRUE(session.Close());
}

// Presses "Make CHM-file" and answers the message box it shows; its text, or "no message".
std::string refusedMessage(MainWindowSession& session, int button) {
  if (!tly::click(session.window, IDOK)) return "not clicked";
  tly::MessageBoxSeen box = tly::waitForMessageBox("Tessaly2CHM");
  if (!box.window) return "no message";
  tly::pressDialogButton(box.window, button);
  session.Settle();
  return box.text;
}

TEST_F(WindowBuildTest, EveryCheckCanStopTheBuild) {
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);

  placeCompiler(false);
  EXPECT_EQ(refusedMessage(session, IDOK), "HTML Help compiler (HHC.exe) not found at " + programFolder() + "HHC.exe");
  placeCompiler(true);

  // Syntax highlighting newly checked asks at every press while formatted text goes to HTML.
  ASSERT_TRUE(tly::click(session.window, IDC_SYNTAX_HIGHLIGHTING));
  const std::string restart =
      "Settings \"Save syntax highlighting\" is checked.\nFor using this parameter required restart the plugin.";
  EXPECT_EQ(refusedMessage(session, IDCANCEL), restart);
  EXPECT_EQ(refusedMessage(session, IDCANCEL), restart);
  ASSERT_TRUE(tly::click(session.window, IDC_SYNTAX_HIGHLIGHTING));

  ASSERT_TRUE(tly::click(session.window, IDOK));
  EXPECT_TRUE(tly::answerSaveDialog(kSaveTitle, "", true));

  // An existing destination that another program holds open is refused after the dialog.
  std::string held = folder + "Held.chm";
  HANDLE file = CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_TRUE(tly::click(session.window, IDOK));
  ASSERT_TRUE(tly::answerSaveDialog(kSaveTitle, held));
  tly::MessageBoxSeen box = tly::waitForMessageBox("Tessaly2CHM");
  EXPECT_EQ(box.text, "Cannot open the file " + held + " for writing.");
  tly::pressDialogButton(box.window, IDOK);
  CloseHandle(file);

  EXPECT_TRUE(session.Close());
}

TEST_F(WindowBuildTest, AChainDeeperThanTheTreeShowsIsInTheHelpFileWhole) {
  // Containers nested one level deeper than the tree shows, a note at the top and one at the
  // bottom, which is the host's current node and so the first article.
  const int levels = static_cast<int>(NodeTreeView::kShownLevels) + 1;
  store.Clear();
  for (int id = 1; id <= levels; ++id) {
    addNode(store, id, id == 1 ? 1 : id - 1, kContainer, "Level " + std::to_string(id - 1));
    if (id == 1) addNode(store, levels + 2, 1, kPlainText, "Top", "at the top");
  }
  addNode(store, levels + 1, levels, kPlainText, "Bottom", "at the bottom");
  tly::hostState().currentNodeId = levels + 1;
  MainWindowSession session(&store, "Chain", kDocumentMode);
  ASSERT_TRUE(session.window);
  EXPECT_EQ(SendMessageA(session.Control(IDC_NODE_TREE), TVM_GETCOUNT, 0, 0),
            static_cast<LRESULT>(NodeTreeView::kShownLevels) + 1);

  std::string chm = folder + "Chain.chm";
  std::string log = MakeChmFile(session, chm);
  EXPECT_NE(log.find("Too deep to show in the tree, in the CHM-file all the same: Level 500\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Creation " + chm + " successfully complete"), std::string::npos) << log;
  std::string names = ContentsNames(chm);
  EXPECT_EQ(std::count(names.begin(), names.end(), '|'), levels + 2);
  EXPECT_EQ(names.substr(names.size() - std::min<size_t>(names.size(), 27)), "Level 499|Level 500|Bottom|");
  EXPECT_NE(System(chm).find("topic file1.htm\n"), std::string::npos) << System(chm);
  EXPECT_TRUE(session.Close());
}

// A document larger than the control takes whole shows its folders' items as they are opened;
// the help file holds every node all the same.
TEST_F(WindowBuildTest, ALargeDocumentShowsFoldersAsTheyOpenAndBuildsWhole) {
  constexpr int kFolders = 1001, kPerFolder = 9;
  store.Clear();
  addNode(store, 1, 1, kContainer, "Large");
  for (int f = 0; f < kFolders; ++f) addNode(store, 2 + f, 1, kContainer, "Folder " + std::to_string(f));
  int id = 2 + kFolders;
  for (int f = 0; f < kFolders; ++f)
    for (int n = 0; n < kPerFolder; ++n) addNode(store, id++, 2 + f, kContainer, "Item " + std::to_string(f) + "." + std::to_string(n));
  ASSERT_GT(store.Count(), NodeTreeView::kFilledAtOnce);
  tly::hostState().currentNodeId = 2 + kFolders + 5 * kPerFolder + 3;  // "Item 5.3"
  MainWindowSession session(&store, "Large", kDocumentMode);
  ASSERT_TRUE(session.window);
  HWND tree = session.Control(IDC_NODE_TREE);
  // The root, its folders, and the folder of the host's current node, opened to show it.
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1 + kFolders + kPerFolder);
  auto selected = [&] {
    for (const tly::TreeEntry& entry : tly::treeItems(tree))
      if (entry.selected) return entry.label + (entry.bold ? " bold" : "");
    return std::string("none");
  };
  EXPECT_EQ(selected(), "Item 5.3 bold");
  HTREEITEM last = tly::findTreeItem(tree, "Folder 1000");
  ASSERT_NE(last, nullptr);
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(last));
  session.Settle();
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1 + kFolders + 2 * kPerFolder);
  EXPECT_NE(tly::findTreeItem(tree, "Item 1000.8"), nullptr);

  std::string chm = folder + "Large.chm";
  std::string log = MakeChmFile(session, chm);
  EXPECT_NE(log.find("Creation " + chm + " successfully complete"), std::string::npos) << log.substr(0, 2000);
  std::string names = ContentsNames(chm);
  EXPECT_EQ(std::count(names.begin(), names.end(), '|'), 1 + kFolders * (1 + kPerFolder));
  EXPECT_NE(names.find("|Folder 1000|Item 1000.0|"), std::string::npos);
  EXPECT_TRUE(session.Close());
}

TEST_F(WindowBuildTest, EmptyDocumentInAHostWithoutLookOrObjectStorage) {
  store.Clear();
  // Without a temporary folder the picture loader gets no storage; the window opens all the same.
  char temp[MAX_PATH] = "";
  GetEnvironmentVariableA("TMP", temp, MAX_PATH);
  SetEnvironmentVariableA("TMP", "C:\\no such folder");
  tly::hostState().backgroundColour = 0;
  tly::hostState().textColour = 0;
  tly::hostState().font = LOGFONTA();
  MainWindowSession session(&store, "Empty", "");
  SetEnvironmentVariableA("TMP", temp);
  ASSERT_TRUE(session.window);
  EXPECT_EQ(tly::windowText(session.window), std::string(kVersionTitle) + " [CHM-file articles: 0]");
  EXPECT_TRUE(tly::treeItems(session.Control(IDC_NODE_TREE)).empty());
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(session.Control(IDC_NODE_TREE), TVM_GETBKCOLOR, 0, 0)),
            GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(SendMessageA(session.Control(IDC_NODE_TREE), WM_GETFONT, 0, 0),
            SendMessageA(session.window, WM_GETFONT, 0, 0));

  // The build asks for the storage again and, with the temporary folder back, gets it.
  std::string chm = folder + "Empty.chm";
  EXPECT_EQ(MakeChmFile(session, chm), expectedLog(chm, "", true, ""));
  EXPECT_EQ(Stored(chm), "content.hhc ");
  EXPECT_TRUE(session.Close());
}

// Once loaded, the converter library stays in the process (it cannot give back what its runtime
// took), so a converter that is missing is only ever met by a process that never loaded it:
// this case runs in a process of its own, placing no converter before any window opens.
TEST_F(WindowBuildTest, WithoutTheConverterTheOptionsFallBack) {
  placeConverter(false);
  MainWindowSession session(&store, "Handbook", kDocumentMode);
  ASSERT_TRUE(session.window);
  // Without the converter the options fall back: to RTF articles, then without plain text as HTML.
  const std::string missing = "Library irun.dll not found.\nCannot translate text to HTML";
  ASSERT_TRUE(tly::click(session.window, IDC_RTF_TO_HTML));
  tly::MessageBoxSeen box = tly::waitForMessageBox("Tessaly2CHM");
  EXPECT_EQ(box.text, missing);
  tly::pressDialogButton(box.window, IDOK);
  session.Settle();
  EXPECT_FALSE(tly::isChecked(session.window, IDC_RTF_TO_HTML));
  EXPECT_TRUE(tly::isChecked(session.window, IDC_RTF_ARTICLE));
  EXPECT_FALSE(tly::isChecked(session.window, IDC_PLAIN_AS_HTML));
  ASSERT_TRUE(tly::click(session.window, IDC_PLAIN_AS_HTML));
  EXPECT_EQ(refusedMessage(session, IDOK), missing);
  EXPECT_FALSE(tly::isChecked(session.window, IDC_PLAIN_AS_HTML));
  EXPECT_FALSE(tly::waitForWindow("#32770", kSaveTitle, false, 0));

  // With RTF articles and plain text files the converter is not needed.
  std::string chm = folder + "Without converter.chm";
  EXPECT_EQ(MakeChmFile(session, chm), expectedLog(chm, "", true));
  EXPECT_EQ(Stored(chm), "content.hhc file0.txt file1.rtf file2.htm file3.mht file4.txt file5.rtf ");
  EXPECT_TRUE(session.Close());
  placeConverter(true);
}

}  // namespace
}  // namespace t2c
