// A host that exports no TLY_ function: every service yields 0 and nothing fails.
#include <cstring>

#include "host/node_record_layout.h"
#include "plugin_fixture.h"

namespace t2c_test {
namespace {

using BareHostTest = PluginTest;

TEST_F(BareHostTest, TitleReadsVersionZero) {
  SentinelRecord info(600);
  EXPECT_EQ(plugin_.getPluginInfo(info.data()), 1);
  EXPECT_EQ(info.Text(8), "Tessaly2CHM 0.00 (build 0)");
}

TEST_F(BareHostTest, SyntaxToggleStillSavesWithoutAMenuRefresh) {
  EXPECT_EQ(plugin_.exportWithShProc(), 1);
  EXPECT_EQ(storedSetting("ExportWithSyntaxH"), 1);
}

TEST_F(BareHostTest, ExportProtocolRunsWithoutHostServices) {
  auto init = library_->FindAs<int(__cdecl*)(void*)>("InitDoc2CHM");
  auto exportNode = library_->FindAs<int(__cdecl*)(void*)>("Export2CHM");
  ASSERT_NE(init, nullptr);
  ASSERT_NE(exportNode, nullptr);
  SentinelRecord begin(32);
  begin.data()[4] = 1;
  EXPECT_EQ(init(begin.data()), 1);
  unsigned char node[tly::kNodeRecord.size] = {};
  const char* header = " \r\n\t ";
  std::memcpy(node + tly::kNodeRecord.header, &header, sizeof header);
  EXPECT_EQ(exportNode(node), 1);
  // A blank header and no host to ask for the document's path: the window opens untitled.
  unsigned char finish[32] = {};
  const MainWindowSeen seen = finishExport(init, finish);
  EXPECT_TRUE(seen.opened);
  EXPECT_EQ(seen.title, "");
  EXPECT_EQ(seen.caption.find("Tessaly2CHM 0.00 (build 0, Dec 26 2011) - Make CHM-file from entire document"), 0u);
}

TEST_F(BareHostTest, NullRecordsAreRefusedWithoutACrash) {
  auto init = library_->FindAs<int(__cdecl*)(void*)>("InitBranch2CHM");
  auto exportNode = library_->FindAs<int(__cdecl*)(void*)>("Export2CHM");
  EXPECT_EQ(plugin_.getPluginInfo(nullptr), 1);
  EXPECT_EQ(plugin_.getMenuItemInfo(3, nullptr), 1);
  EXPECT_EQ(init(nullptr), 1);
  EXPECT_EQ(exportNode(nullptr), 0);
}

}  // namespace
}  // namespace t2c_test
