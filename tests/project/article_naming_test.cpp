// Article naming over the example tree with every option that changes names.
#include <gtest/gtest.h>

#include "project/article_naming.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

class NamingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Add(1, 1, kContainer, "Root");
    f.Add(2, 1, kPlainText, "P");
    f.Add(3, 1, kRichText, "R");
    f.Add(4, 1, kPlainText, "X").excluded = 1;
    f.Add(5, 1, kHtml, "H");
    f.Add(6, 1, kSecondContainer, "K");
    f.Add(7, 6, kWebArchive, "W");
    f.Fill();
  }

  // Names after one build; "-" for a node without a name.
  std::string NamesAfterBuild(int convertHtml, bool plainTextAsHtml, int32_t* counter = nullptr) {
    ExportJob job;
    job.convertHtml = convertHtml;
    job.plainTextAsHtml = plainTextAsHtml;
    ExportRun run(f.tree, "C:\\work", job);
    assignArticleNames(run);
    if (counter) *counter = run.fileCounter;
    std::string out;
    for (ExportNode* n : f.Nodes())
      out += n->header + "=" + (n->fileName.empty() ? "-" : n->fileName) + " ";
    return out;
  }

  TreeFixture f;
};

TEST_F(NamingTest, ConvertToHtml) {
  int32_t counter = 0;
  EXPECT_EQ(NamesAfterBuild(0, false, &counter),
            "Root=- P=file0.txt R=file1.htm X=- H=file2.htm K=- W=file3.mht ");
  EXPECT_EQ(counter, 4);
}

TEST_F(NamingTest, SkipRtfKeepsTheEarlierName) {
  NamesAfterBuild(0, false);
  EXPECT_EQ(NamesAfterBuild(2, false),
            "Root=- P=file0.txt R=file1.htm X=- H=file1.htm K=- W=file2.mht ");
}

TEST_F(NamingTest, RtfArticlePlainTextAsHtmlAndLinkPages) {
  EXPECT_EQ(NamesAfterBuild(1, false),
            "Root=- P=file0.txt R=file1.rtf X=- H=file2.htm K=- W=file3.mht ");
  EXPECT_EQ(NamesAfterBuild(3, true),
            "Root=- P=file0.htm R=file1.htm X=- H=file2.htm K=- W=file3.mht ");
  EXPECT_EQ(NamesAfterBuild(3, true), NamesAfterBuild(3, true));
}

TEST_F(NamingTest, UnknownKindGetsAnEmptyExtension) {
  f.Node(5).kind = 9;
  EXPECT_EQ(NamesAfterBuild(0, false),
            "Root=- P=file0.txt R=file1.htm X=- H=file2. K=- W=file3.mht ");
}

TEST(NamingSingleTest, OnlyAContainerNamesNothing) {
  TreeFixture f;
  f.Add(1, 1, kThirdContainer, "Folder");
  f.Fill();
  const ExportJob job;
  ExportRun run(f.tree, "", job);
  assignArticleNames(run);
  EXPECT_EQ(run.fileCounter, 0);
  EXPECT_EQ(f.Node(1).fileName, "");
}

TEST(NamingSingleTest, CompanionNamesUseTheNodeId) {
  EXPECT_EQ(rtfCompanionName(12), "rtf12.rtf");
  EXPECT_EQ(rtfCompanionName(-1), "rtf-1.rtf");
}

}  // namespace
}  // namespace t2c
