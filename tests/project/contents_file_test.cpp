// Contents file text: nesting, skipped nodes and label handling, compared as whole texts.
#include <gtest/gtest.h>

#include "project/contents_file.h"
#include "project/text_mode.h"
#include "tree_fixture.h"

namespace t2c {
namespace {

const char kHeader[] =
    "<!DOCTYPE HTML PUBLIC '-//IETF//DTD HTML//EN'>\r\n"
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<meta name='GENERATOR' content='Brenmoor Tessaly and Tessaly2CHM plugin - "
    "http://www.tessaly.example'>\r\n"
    "<!-- Sitemap 1.0 -->\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n"
    "\t<OBJECT type='text/site properties'>\r\n"
    "<param name=\"name\" value=\"New\">\r\n"
    "<param name=\"CategoryDesc\" value=\" \">\r\n"
    "</OBJECT>";

class ContentsTest : public ::testing::Test {
 protected:
  // Docs { Intro, Part { Step } }, the pages already named.
  void AddWorkedExample() {
    f.Add(1, 1, 4, "Docs");
    f.Add(2, 1, 3, "Intro").fileName = "file0.htm";
    f.Add(3, 1, 5, "Part");
    f.Add(4, 3, 3, "Step").fileName = "file1.htm";
  }

  // The file's bytes after one contents pass with the given RTF mode.
  std::string FileBytes(int32_t convertHtml = kRtfToHtml) {
    job.convertHtml = convertHtml;
    run = std::make_unique<ExportRun>(f.tree, "C:\\work", job);
    collectContentsItems(*run);
    return textModeBytes(contentsFileText(*run));
  }

  // Only the entries, with "\n" line ends as the pass builds them.
  std::string Items(int32_t convertHtml = kRtfToHtml) {
    FileBytes(convertHtml);
    return run->contentsItems;
  }

  TreeFixture f;
  ExportJob job;
  std::unique_ptr<ExportRun> run;
};

TEST_F(ContentsTest, WorkedExampleWholeFile) {
  AddWorkedExample();
  f.Fill();
  EXPECT_EQ(FileBytes(), std::string(kHeader) +
                             "\r\n<UL>\r\n"
                             "\r\n<LI> <OBJECT type=\"text/sitemap\">"
                             "\r\n\t<param name=\"Name\" value=\"Docs\">"
                             "\r\n\t</OBJECT>"
                             "\r\n<UL>\r\n"
                             "\r\n<LI> <OBJECT type=\"text/sitemap\">"
                             "\r\n\t<param name=\"Name\" value=\"Intro\">"
                             "\r\n\t<param name=\"Local\" value=\"file0.htm\">"
                             "\r\n\t</OBJECT>"
                             "\r\n<LI> <OBJECT type=\"text/sitemap\">"
                             "\r\n\t<param name=\"Name\" value=\"Part\">"
                             "\r\n\t</OBJECT>"
                             "\r\n<UL>\r\n"
                             "\r\n<LI> <OBJECT type=\"text/sitemap\">"
                             "\r\n\t<param name=\"Name\" value=\"Step\">"
                             "\r\n\t<param name=\"Local\" value=\"file1.htm\">"
                             "\r\n\t</OBJECT>"
                             "\r\n</UL></BODY></HTML>");
  EXPECT_EQ(run->openLists, 2);
}

TEST_F(ContentsTest, FollowingArticleClosesOneList) {
  AddWorkedExample();
  f.Add(5, 1, 0, "Last").fileName = "file2.txt";
  f.Fill();
  EXPECT_EQ(Items(),
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Docs\">"
            "\n\t</OBJECT>\n<UL>\n"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Intro\">"
            "\n\t<param name=\"Local\" value=\"file0.htm\">\n\t</OBJECT>"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Part\">"
            "\n\t</OBJECT>\n<UL>\n"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Step\">"
            "\n\t<param name=\"Local\" value=\"file1.htm\">\n\t</OBJECT>"
            "\n\n</UL>\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Last\">"
            "\n\t<param name=\"Local\" value=\"file2.txt\">\n\t</OBJECT>");
  EXPECT_EQ(run->openLists, 1);
}

TEST_F(ContentsTest, ClimbingTwoLevelsClosesTwoLists) {
  f.Add(1, 1, 4, "Root");
  f.Add(2, 1, 5, "A");
  f.Add(3, 2, 6, "B");
  f.Add(4, 3, 0, "Deep").fileName = "file0.txt";
  f.Add(5, 1, 0, "Top").fileName = "file1.txt";
  f.Fill();
  const std::string items = Items();
  const std::string topEntry =
      "\n\n</UL>\n\n</UL>\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" "
      "value=\"Top\">\n\t<param name=\"Local\" value=\"file1.txt\">\n\t</OBJECT>";
  ASSERT_GE(items.size(), topEntry.size());
  EXPECT_EQ(items.substr(items.size() - topEntry.size()), topEntry);
  EXPECT_EQ(run->openLists, 1);
}

TEST_F(ContentsTest, ExcludedContainerListsItsChildrenInTheEnclosingList) {
  f.Add(1, 1, 4, "Root");
  f.Add(2, 1, 5, "Hidden").excluded = 1;
  f.Add(3, 2, 0, "Child").fileName = "file0.txt";
  f.Add(4, 1, 0, "After").fileName = "file1.txt";
  f.Fill();
  EXPECT_EQ(Items(),
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Root\">"
            "\n\t</OBJECT>\n<UL>\n"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Child\">"
            "\n\t<param name=\"Local\" value=\"file0.txt\">\n\t</OBJECT>"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"After\">"
            "\n\t<param name=\"Local\" value=\"file1.txt\">\n\t</OBJECT>");
}

TEST_F(ContentsTest, EmptyAndFullyExcludedTreesGiveAnEmptyList) {
  const std::string emptyList = std::string(kHeader) + "\r\n<UL>\r\n\r\n</UL></BODY></HTML>";
  f.Fill();
  EXPECT_EQ(FileBytes(), emptyList);

  f.Add(1, 1, 4, "Root").excluded = 1;
  f.Add(2, 1, 0, "A").excluded = 1;
  f.Add(3, 1, 5, "B").excluded = 1;
  f.Add(4, 3, 3, "C").excluded = 1;
  f.Fill();
  EXPECT_EQ(FileBytes(), emptyList);
  EXPECT_EQ(run->openLists, 0);
}

TEST_F(ContentsTest, RtfNodesFollowTheRtfMode) {
  f.Add(1, 1, 4, "Root");
  f.Add(2, 1, 2, "Formatted").fileName = "file0.rtf";
  f.Fill();
  const std::string rootOnly =
      "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Root\">"
      "\n\t</OBJECT>\n<UL>\n";
  EXPECT_EQ(Items(kRtfSkip), rootOnly);
  EXPECT_EQ(Items(kRtfArticle),
            rootOnly +
                "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Formatted\">"
                "\n\t<param name=\"Local\" value=\"file0.rtf\">\n\t</OBJECT>");
}

TEST_F(ContentsTest, LabelsAsShownWithDoubleQuotesTurnedIntoApostrophes) {
  f.Add(1, 1, 0, "header before renaming").fileName = "a&b<c>.htm";
  f.Fill();
  f.tree.Root()->label = "Say \"hi\" & 'bye' <b>\xE9";
  EXPECT_EQ(Items(),
            "\n<LI> <OBJECT type=\"text/sitemap\">"
            "\n\t<param name=\"Name\" value=\"Say 'hi' & 'bye' <b>\xE9\">"
            "\n\t<param name=\"Local\" value=\"a&b<c>.htm\">\n\t</OBJECT>");
}

TEST(SitemapParam, WritesNameAndValueUnescaped) {
  EXPECT_EQ(sitemapParam("Name", "a\"b&c"), "<param name=\"Name\" value=\"a\"b&c\">");
  EXPECT_EQ(sitemapParam("", ""), "<param name=\"\" value=\"\">");
}

}  // namespace
}  // namespace t2c
