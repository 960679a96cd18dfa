// The description exports, driven like the host with records full of sentinel bytes.
#include <set>

#include "host/host_state_win.h"
#include "model/node_kinds.h"
#include "plugin_fixture.h"

namespace t2c_test {
namespace {

constexpr size_t kPluginInfoSize = 600;
constexpr size_t kMenuItemSize = 1200;

// [begin, end) of a text field as written: the text and its NUL.
std::pair<size_t, size_t> textField(size_t offset, const std::string& text) {
  return {offset, offset + text.size() + 1};
}
std::pair<size_t, size_t> intField(size_t offset) { return {offset, offset + 4}; }

using DescriptionTest = PluginTest;

TEST_F(DescriptionTest, PluginInfoWritesTitleCountDescriptionAndBuildOnly) {
  SentinelRecord info(kPluginInfoSize);
  EXPECT_EQ(plugin_.getPluginInfo(info.data()), 1);
  const std::string title = "Tessaly2CHM 2.21 (build 83)";
  const std::string description = "Creation CHM-files from Tessaly documents";
  EXPECT_EQ(info.Text(8), title);
  EXPECT_EQ(info.Text(268), description);
  EXPECT_EQ(info.Int(4), 4);
  EXPECT_EQ(info.Int(528), 1977);
  EXPECT_EQ(info.ChangedOutside({intField(4), textField(8, title), textField(268, description),
                                 intField(528)}),
            std::vector<size_t>{});
  EXPECT_TRUE(info.Untouched(0, 4));
  EXPECT_TRUE(info.Untouched(532, kPluginInfoSize));
}

struct ExpectedEntry {
  std::string caption, hint, procName, initProcName;
  int kindCode, groupCode, scopeCode;
};

void expectEntry(const SentinelRecord& item, const ExpectedEntry& e) {
  EXPECT_EQ(item.Text(4), e.caption);
  EXPECT_EQ(item.Text(264), e.hint);
  EXPECT_EQ(item.Text(784), e.procName);
  EXPECT_EQ(item.Int(1044), e.kindCode);
  EXPECT_EQ(item.Int(1048), e.groupCode);
  std::vector<std::pair<size_t, size_t>> written = {
      textField(4, e.caption), textField(264, e.hint), textField(784, e.procName),
      intField(1044), intField(1048)};
  if (!e.initProcName.empty()) {
    EXPECT_EQ(item.Text(1080), e.initProcName);
    EXPECT_EQ(item.Int(1076), e.scopeCode);
    written.push_back(textField(1080, e.initProcName));
    written.push_back(intField(1076));
  }
  EXPECT_EQ(item.ChangedOutside(written), std::vector<size_t>{}) << e.caption;
  EXPECT_TRUE(item.Untouched(1068, 1072)) << "stateFlags";
}

TEST_F(DescriptionTest, ExportEntriesCarryTheEllipsisAndTheirProcedures) {
  SentinelRecord document(kMenuItemSize);
  EXPECT_EQ(plugin_.getMenuItemInfo(0, document.data()), 1);
  expectEntry(document, {"Make CHM-file from entire document\x85", "Make CHM-file from entire document",
                         "Export2CHM", "InitDoc2CHM", 1, 0, 0x400});
  SentinelRecord branch(kMenuItemSize);
  EXPECT_EQ(plugin_.getMenuItemInfo(1, branch.data()), 1);
  expectEntry(branch, {"Make CHM-file from branch\x85", "Make CHM-file from branch with subbranchs",
                       "Export2CHM", "InitBranch2CHM", 1, 1, 1});
}

TEST_F(DescriptionTest, UnusedIndexesWriteNothing) {
  for (int index : {2, 4, 5, -1, 1000}) {
    SentinelRecord item(kMenuItemSize);
    EXPECT_EQ(plugin_.getMenuItemInfo(index, item.data()), 1) << index;
    EXPECT_TRUE(item.Untouched(0, kMenuItemSize)) << index;
  }
}

TEST_F(DescriptionTest, SyntaxEntryIsCheckedOnlyWhileTheOptionIsOn) {
  const ExpectedEntry syntax = {"Create with syntax highlighting",
                                "Create with syntax highlighting of data", "ExportWithShProc", "", 6, 3, 0};
  SentinelRecord before(kMenuItemSize);
  plugin_.getMenuItemInfo(3, before.data());
  expectEntry(before, syntax);
  EXPECT_TRUE(before.Untouched(1076, kMenuItemSize));

  int rereads = tly::hostState().reReadCount;
  EXPECT_EQ(plugin_.exportWithShProc(), 1);
  EXPECT_EQ(tly::hostState().reReadCount, rereads + 1);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 1);

  SentinelRecord after(kMenuItemSize);
  plugin_.getMenuItemInfo(3, after.data());
  EXPECT_EQ(after.Int(1068), 8);
  EXPECT_EQ(after.ChangedOutside({textField(4, syntax.caption), textField(264, syntax.hint),
                                  textField(784, syntax.procName), intField(1044), intField(1048),
                                  intField(1068)}),
            std::vector<size_t>{});

  EXPECT_EQ(plugin_.exportWithShProc(), 1);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 0);
  EXPECT_EQ(tly::hostState().reReadCount, rereads + 2);
  SentinelRecord again(kMenuItemSize);
  plugin_.getMenuItemInfo(3, again.data());
  EXPECT_TRUE(again.Untouched(1068, 1072));
}

TEST_F(DescriptionTest, ToggleSavesAllFiveOptionsWithTheirDefaults) {
  plugin_.exportWithShProc();
  EXPECT_EQ(storedSetting("ExportPlainTextAsHTML"), 1);
  EXPECT_EQ(storedSetting("MakeFullSearch"), 0);
  EXPECT_EQ(storedSetting("ConvertHTML"), t2c::kRtfToHtml);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 1);
  EXPECT_EQ(storedSetting("WithPictures"), 1);
}

TEST_F(DescriptionTest, ExportTableHoldsExactlyTheSixPlainNames) {
  auto base = reinterpret_cast<const unsigned char*>(library_->Module());
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::set<std::string> found;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    found.insert(reinterpret_cast<const char*>(base + names[i]));
  EXPECT_EQ(found, (std::set<std::string>{"Export2CHM", "ExportWithShProc", "InitBranch2CHM",
                                          "InitDoc2CHM", "Tessaly_GetMenuItemInfo",
                                          "Tessaly_GetPluginInfo"}));
}

}  // namespace
}  // namespace t2c_test
