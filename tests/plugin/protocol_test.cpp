// The export protocol as the host drives it: begin flags, node collection, progress window, finish.
#include <algorithm>
#include <cstring>

#include "host/host_state_win.h"
#include "host/node_record_layout.h"
#include "model/node_kinds.h"
#include "plugin_fixture.h"

namespace t2c_test {
namespace {

using t2c::kContainer;
using t2c::kPlainText;
using t2c::kRichText;

using InitFn = int(__cdecl*)(void*);

BOOL CALLBACK findProgress(HWND window, LPARAM out) {
  if (!GetDlgItem(window, 3012)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

class ProtocolTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    initDoc_ = library_->FindAs<InitFn>("InitDoc2CHM");
    initBranch_ = library_->FindAs<InitFn>("InitBranch2CHM");
    exportNode_ = library_->FindAs<InitFn>("Export2CHM");
    ASSERT_TRUE(initDoc_ && initBranch_ && exportNode_);
    tly::hostState().statusTexts.clear();
  }

  static SentinelRecord initRecord(int isStart) {
    SentinelRecord record(32);
    std::memcpy(record.data() + 4, &isStart, 4);
    return record;
  }

  int sendNode(int id, int parentId, int kind, const char* header, const char* text, HICON icon = nullptr) {
    using tly::kNodeRecord;
    unsigned char node[kNodeRecord.size];
    std::memset(node, kSentinel, sizeof node);
    std::memcpy(node + kNodeRecord.icon, &icon, sizeof icon);
    std::memcpy(node + kNodeRecord.header, &header, sizeof header);
    std::memcpy(node + kNodeRecord.parentId, &parentId, 4);
    std::memcpy(node + kNodeRecord.text, &text, sizeof text);
    std::memcpy(node + kNodeRecord.kind, &kind, 4);
    std::memcpy(node + kNodeRecord.id, &id, 4);
    return exportNode_(node);
  }

  // The progress window: the plug-in's only top-level window of this thread while collecting.
  static HWND progressWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findProgress, reinterpret_cast<LPARAM>(&found));
    return found;
  }

  InitFn initDoc_ = nullptr, initBranch_ = nullptr, exportNode_ = nullptr;
};

TEST_F(ProtocolTest, DocumentBeginWithTheOptionOffLeavesTheFlags) {
  SentinelRecord document = initRecord(1);
  std::memset(document.data() + 16, 0, 4);
  EXPECT_EQ(initDoc_(document.data()), 1);
  EXPECT_EQ(document.Int(16), 0);
  EXPECT_EQ(document.ChangedOutside({{4, 8}, {16, 20}}), std::vector<size_t>{});
  EXPECT_TRUE(finishExport(initDoc_, initRecord(0).data()).opened);
}

TEST_F(ProtocolTest, BranchBeginWithTheOptionOnOrsInBothBits) {
  storeSetting("ExportWithSyntaxH", 1);  // read at the plug-in's first use, which follows
  SentinelRecord branch = initRecord(1);
  int flags = 0x100;
  std::memcpy(branch.data() + 16, &flags, 4);
  EXPECT_EQ(initBranch_(branch.data()), 1);
  EXPECT_EQ(branch.Int(16), 0x103);
  EXPECT_EQ(branch.ChangedOutside({{4, 8}, {16, 20}}), std::vector<size_t>{});
  EXPECT_TRUE(finishExport(initBranch_, initRecord(0).data()).opened);
}

// Ten headers a second at most: the first node's at once, then the first after 100 ms; whether
// one sent sooner is shown depends on the machine's speed. The last one is always shown.
TEST_F(ProtocolTest, NodesAreAnnouncedInTheStatusBarAndTheProgressWindow) {
  EXPECT_EQ(initDoc_(initRecord(1).data()), 1);
  HWND progress = progressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(IsWindowVisible(progress));
  char text[256] = "";
  GetDlgItemTextA(progress, 3012, text, sizeof text);
  EXPECT_STREQ(text, "");

  HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
  EXPECT_EQ(sendNode(1, 0, kContainer, "Docs", "", icon), 1);
  DestroyIcon(icon);  // the host keeps its own; the plug-in holds a duplicate
  GetDlgItemTextA(progress, 3012, text, sizeof text);
  EXPECT_STREQ(text, "Get text from Docs");
  EXPECT_EQ(sendNode(2, 1, kPlainText, "Intro", "Hello"), 1);
  Sleep(150);
  EXPECT_EQ(sendNode(3, 1, kPlainText, "Details", "More"), 1);
  GetDlgItemTextA(progress, 3012, text, sizeof text);
  EXPECT_STREQ(text, "Get text from Details");
  std::vector<std::string> shown = tly::hostState().statusTexts;
  shown.erase(std::remove(shown.begin(), shown.end(), "Get text from Intro"), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"Get text from Docs", "Get text from Details"}));

  // The last node's header is shown by the end of collecting, however soon after another it came.
  EXPECT_EQ(sendNode(4, 1, 0, "Summary", "Last"), 1);
  EXPECT_TRUE(finishExport(initDoc_, initRecord(0).data()).opened);
  EXPECT_EQ(tly::hostState().statusTexts.back(), "Get text from Summary");
  EXPECT_EQ(progressWindow(), nullptr);
}

TEST_F(ProtocolTest, SecondBeginReplacesTheProgressWindow) {
  EXPECT_EQ(initDoc_(initRecord(1).data()), 1);
  HWND first = progressWindow();
  EXPECT_EQ(initDoc_(initRecord(1).data()), 1);
  HWND second = progressWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first) && first != second);
  EXPECT_TRUE(finishExport(initDoc_, initRecord(0).data()).opened);
  EXPECT_EQ(progressWindow(), nullptr);
}

// The host's own windows while the main window is open, and the calls a host posts meanwhile.
struct HostWhileOpen {
  InitFn init = nullptr, exportNode = nullptr;
  int begin = -1, node = -1, finish = -1;
};
HostWhileOpen* g_host = nullptr;
constexpr UINT kCallThePlugin = WM_APP + 1;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kCallThePlugin) return DefWindowProcA(window, message, wParam, lParam);
  unsigned char begin[32] = {}, finish[32] = {}, node[tly::kNodeRecord.size] = {};
  begin[4] = 1;
  const char* header = "Intruder";
  std::memcpy(node + tly::kNodeRecord.header, &header, sizeof header);
  g_host->begin = g_host->init(begin);
  g_host->node = g_host->exportNode(node);
  g_host->finish = g_host->init(finish);
  return 0;
}

TEST_F(ProtocolTest, TheWindowIsModalToTheHostAndRefusesCallsWhileOpen) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = hostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "T2CTestHost";
  RegisterClassA(&windowClass);
  HWND host = CreateWindowA("T2CTestHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND palette = CreateWindowA("T2CTestHost", "Palette", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND disabledBefore = CreateWindowA("T2CTestHost", "Off", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(host && palette && disabledBefore);
  EnableWindow(disabledBefore, FALSE);
  SetActiveWindow(host);
  HostWhileOpen calls{initDoc_, exportNode_};
  g_host = &calls;

  initDoc_(initRecord(1).data());
  sendNode(1, 1, kContainer, "Docs", "");
  sendNode(2, 1, kPlainText, "Intro", "Hello");
  bool hostEnabled = true, paletteEnabled = true;
  HWND owner = nullptr;
  std::vector<tly::TreeEntry> treeAfterCalls;
  MainWindowSeen seen = finishExport(initDoc_, initRecord(0).data(), [&](HWND window) {
    hostEnabled = IsWindowEnabled(host);
    paletteEnabled = IsWindowEnabled(palette);
    owner = GetWindow(window, GW_OWNER);
    SendMessageA(host, kCallThePlugin, 0, 0);  // handled on the window's thread, inside its loop
    treeAfterCalls = tly::treeItems(tly::control(window, 3000));
  });
  g_host = nullptr;
  EXPECT_FALSE(hostEnabled);
  EXPECT_FALSE(paletteEnabled);
  EXPECT_EQ(owner, host);
  EXPECT_EQ(calls.begin, 0);
  EXPECT_EQ(calls.node, 0);
  EXPECT_EQ(calls.finish, 0);
  ASSERT_EQ(seen.tree.size(), 2u);
  ASSERT_EQ(treeAfterCalls.size(), 2u);
  EXPECT_EQ(treeAfterCalls[1].label, "Intro");
  // Closed: the host works again, a window that was off stays off, and exports run as before.
  EXPECT_TRUE(IsWindowEnabled(host));
  EXPECT_TRUE(IsWindowEnabled(palette));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore));
  EXPECT_EQ(initDoc_(initRecord(1).data()), 1);
  EXPECT_EQ(sendNode(1, 1, kPlainText, "Again", "text"), 1);
  EXPECT_TRUE(finishExport(initDoc_, initRecord(0).data()).opened);
  DestroyWindow(host);
  DestroyWindow(palette);
  DestroyWindow(disabledBefore);
}

// The finish call's title, caption and tree, and what it leaves behind, for both exports.
TEST_F(ProtocolTest, FinishOpensTheWindowOverTheNodesAndEmptiesTheStore) {
  tly::HostState& host = tly::hostState();
  host.documentPath = "C:\\Documents\\Garden notes.v2.tly";
  host.nodeTitles = {{7, "Beds and Soil"}};
  const int reReadBefore = host.reReadCount;

  // A header with blanks around its words gives the words; inner blanks stay.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, kContainer, " \r\n\tMy  notes\t ", "");
  sendNode(2, 1, kPlainText, "Intro", "Hello");
  MainWindowSeen seen = finishExport(initDoc_, initRecord(0).data());
  EXPECT_EQ(seen.title, "My  notes");
  EXPECT_NE(seen.caption.find(" - Make CHM-file from entire document [CHM-file articles: 2]"), std::string::npos);
  ASSERT_EQ(seen.tree.size(), 2u);
  EXPECT_EQ(seen.tree[1].label, "Intro");

  // A header over several lines proposes a title of one line.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, kContainer, "Notes\r\n[FILES]\r\nC:\\passwords.txt\x7F", "");
  EXPECT_EQ(finishExport(initDoc_, initRecord(0).data()).title, "Notes  [FILES]  C:\\passwords.txt");

  // A blank header: the document's file name without folder and extension.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, kContainer, " \t ", "");
  EXPECT_EQ(finishExport(initDoc_, initRecord(0).data()).title, "Garden notes.v2");

  // A branch is titled as the host titles its top node; the syntax option changed in the window
  // makes the host read the menu again.
  initBranch_(initRecord(1).data());
  sendNode(7, 3, kContainer, "Beds", "");
  sendNode(8, 7, kRichText, "Soil", "{\\rtf1 Soil}");
  seen = finishExport(initBranch_, initRecord(0).data(), [](HWND window) { tly::click(window, 3009); });
  EXPECT_EQ(seen.title, "Beds and Soil");
  EXPECT_NE(seen.caption.find(" - Make CHM-file from branch [CHM-file articles: 2]"), std::string::npos);
  EXPECT_EQ(host.reReadCount, reReadBefore + 1);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 1);

  // A top node without an id gives no title; the nodes of the last export are gone.
  initBranch_(initRecord(1).data());
  sendNode(-1, 3, kContainer, "Loose", "");
  seen = finishExport(initBranch_, initRecord(0).data());
  EXPECT_EQ(seen.title, "");
  ASSERT_EQ(seen.tree.size(), 1u);
  EXPECT_EQ(seen.tree[0].label, "Loose");
  EXPECT_EQ(host.reReadCount, reReadBefore + 1);
}

}  // namespace
}  // namespace t2c_test
