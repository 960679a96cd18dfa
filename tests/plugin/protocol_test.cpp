// The export protocol as the host drives it: begin flags, node collection, progress window, finish.
#include <cstring>

#include "host/host_state_win.h"
#include "host/node_record_layout.h"
#include "plugin_fixture.h"

namespace t2c_test {
namespace {

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

TEST_F(ProtocolTest, NodesAreAnnouncedInTheStatusBarAndTheProgressWindow) {
  EXPECT_EQ(initDoc_(initRecord(1).data()), 1);
  HWND progress = progressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(IsWindowVisible(progress));
  char text[256] = "";
  GetDlgItemTextA(progress, 3012, text, sizeof text);
  EXPECT_STREQ(text, "");

  HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
  EXPECT_EQ(sendNode(1, 0, 4, "Docs", "", icon), 1);
  DestroyIcon(icon);  // the host keeps its own; the plug-in holds a duplicate
  EXPECT_EQ(sendNode(2, 1, 0, "Intro", "Hello"), 1);
  GetDlgItemTextA(progress, 3012, text, sizeof text);
  EXPECT_STREQ(text, "Get text from Intro");
  EXPECT_EQ(tly::hostState().statusTexts,
            (std::vector<std::string>{"Get text from Docs", "Get text from Intro"}));

  EXPECT_TRUE(finishExport(initDoc_, initRecord(0).data()).opened);
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

// The finish call's title, caption and tree, and what it leaves behind, for both exports.
TEST_F(ProtocolTest, FinishOpensTheWindowOverTheNodesAndEmptiesTheStore) {
  tly::HostState& host = tly::hostState();
  host.documentPath = "C:\\Documents\\Garden notes.v2.tly";
  host.nodeTitles = {{7, "Beds and Soil"}};
  const int reReadBefore = host.reReadCount;

  // A header with blanks around its words gives the words; inner blanks stay.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, 4, " \r\n\tMy  notes\t ", "");
  sendNode(2, 1, 0, "Intro", "Hello");
  MainWindowSeen seen = finishExport(initDoc_, initRecord(0).data());
  EXPECT_EQ(seen.title, "My  notes");
  EXPECT_NE(seen.caption.find(" - Make CHM-file from entire document [CHM-file articles: 2]"), std::string::npos);
  ASSERT_EQ(seen.tree.size(), 2u);
  EXPECT_EQ(seen.tree[1].label, "Intro");

  // A header over several lines proposes a title of one line.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, 4, "Notes\r\n[FILES]\r\nC:\\passwords.txt\x7F", "");
  EXPECT_EQ(finishExport(initDoc_, initRecord(0).data()).title, "Notes  [FILES]  C:\\passwords.txt");

  // A blank header: the document's file name without folder and extension.
  initDoc_(initRecord(1).data());
  sendNode(1, 1, 4, " \t ", "");
  EXPECT_EQ(finishExport(initDoc_, initRecord(0).data()).title, "Garden notes.v2");

  // A branch is titled as the host titles its top node; the syntax option changed in the window
  // makes the host read the menu again.
  initBranch_(initRecord(1).data());
  sendNode(7, 3, 4, "Beds", "");
  sendNode(8, 7, 2, "Soil", "{\\rtf1 Soil}");
  seen = finishExport(initBranch_, initRecord(0).data(), [](HWND window) { tly::click(window, 3009); });
  EXPECT_EQ(seen.title, "Beds and Soil");
  EXPECT_NE(seen.caption.find(" - Make CHM-file from branch [CHM-file articles: 2]"), std::string::npos);
  EXPECT_EQ(host.reReadCount, reReadBefore + 1);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 1);

  // A top node without an id gives no title; the nodes of the last export are gone.
  initBranch_(initRecord(1).data());
  sendNode(-1, 3, 4, "Loose", "");
  seen = finishExport(initBranch_, initRecord(0).data());
  EXPECT_EQ(seen.title, "");
  ASSERT_EQ(seen.tree.size(), 1u);
  EXPECT_EQ(seen.tree[0].label, "Loose");
  EXPECT_EQ(host.reReadCount, reReadBefore + 1);
}

}  // namespace
}  // namespace t2c_test
