// Contents file text: nesting, skipped nodes and label handling, compared as whole texts.
#include <gtest/gtest.h>

#include <random>

#include "project/contents_file.h"
#include "project/text_mode.h"
#include "support/tree_fixture.h"

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
    f.Add(1, 1, kContainer, "Docs");
    f.Add(2, 1, kHtml, "Intro").fileName = "file0.htm";
    f.Add(3, 1, kSecondContainer, "Part");
    f.Add(4, 3, kHtml, "Step").fileName = "file1.htm";
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
  f.Add(5, 1, kPlainText, "Last").fileName = "file2.txt";
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
  f.Add(1, 1, kContainer, "Root");
  f.Add(2, 1, kSecondContainer, "A");
  f.Add(3, 2, kThirdContainer, "B");
  f.Add(4, 3, kPlainText, "Deep").fileName = "file0.txt";
  f.Add(5, 1, kPlainText, "Top").fileName = "file1.txt";
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
  f.Add(1, 1, kContainer, "Root");
  f.Add(2, 1, kSecondContainer, "Hidden").excluded = 1;
  f.Add(3, 2, kPlainText, "Child").fileName = "file0.txt";
  f.Add(4, 1, kPlainText, "After").fileName = "file1.txt";
  f.Fill();
  EXPECT_EQ(Items(),
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Root\">"
            "\n\t</OBJECT>\n<UL>\n"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"Child\">"
            "\n\t<param name=\"Local\" value=\"file0.txt\">\n\t</OBJECT>"
            "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"After\">"
            "\n\t<param name=\"Local\" value=\"file1.txt\">\n\t</OBJECT>");
}

// The contents as a viewer nests them: each label after one "." per list below the top one.
std::string ContentsOutline(const std::string& items) {
  std::string outline;
  int level = 0;
  const std::string name = "<param name=\"Name\" value=\"";
  for (size_t at = 0; at < items.size();) {
    if (items.compare(at, 5, "</UL>") == 0) {
      --level;
      at += 5;
    } else if (items.compare(at, 4, "<UL>") == 0) {
      ++level;
      at += 4;
    } else if (items.compare(at, name.size(), name) == 0) {
      at += name.size();
      const size_t end = items.find('"', at);
      outline += std::string(static_cast<size_t>(level), '.') + items.substr(at, end - at) + "|";
      at = end;
    } else {
      ++at;
    }
  }
  return outline;
}

// The node tree without its excluded and unlisted nodes: their children move up to their place.
void ReferenceOutline(const TreeItem* item, int level, bool skipRtf, std::string& outline) {
  for (; item; item = item->nextSibling) {
    const bool listed = !item->node->excluded && !(skipRtf && item->node->kind == kRichText);
    if (listed) outline += std::string(static_cast<size_t>(level), '.') + item->label + "|";
    ReferenceOutline(item->firstChild, listed ? level + 1 : level, skipRtf, outline);
  }
}

TEST_F(ContentsTest, RandomTreesNestAsTheTreeWithoutItsExcludedNodes) {
  std::mt19937 random(20261209);
  const int kinds[] = {kPlainText, kRichText, kHtml, kWebArchive, kContainer, kSecondContainer, kThirdContainer};
  for (int round = 0; round < 300; ++round) {
    TreeFixture trees;
    std::vector<int> parents{1};  // the root takes children whatever its kind
    const int count = 1 + static_cast<int>(random() % 24);
    for (int id = 1; id <= count; ++id) {
      const int kind = kinds[random() % 7];
      const int parent = id == 1 ? 1 : parents[random() % parents.size()];
      ExportNode& node = trees.Add(id, parent, kind, "n" + std::to_string(id));
      node.excluded = random() % 4 == 0;
      if (isContainerKind(kind))
        parents.push_back(id);
      else
        node.fileName = "file" + std::to_string(id) + ".htm";
    }
    trees.Fill();
    job.convertHtml = random() % 2 ? kRtfToHtml : kRtfSkip;
    ExportRun contents(trees.tree, "C:\\work", job);
    collectContentsItems(contents);
    std::string expected;
    ReferenceOutline(trees.tree.Root(), 0, job.convertHtml == kRtfSkip, expected);
    EXPECT_EQ(ContentsOutline(contents.contentsItems), expected) << "round " << round << ": " << trees.Outline();
  }
}

TEST_F(ContentsTest, EmptyAndFullyExcludedTreesGiveAnEmptyList) {
  const std::string emptyList = std::string(kHeader) + "\r\n<UL>\r\n\r\n</UL></BODY></HTML>";
  f.Fill();
  EXPECT_EQ(FileBytes(), emptyList);

  f.Add(1, 1, kContainer, "Root").excluded = 1;
  f.Add(2, 1, kPlainText, "A").excluded = 1;
  f.Add(3, 1, kSecondContainer, "B").excluded = 1;
  f.Add(4, 3, kHtml, "C").excluded = 1;
  f.Fill();
  EXPECT_EQ(FileBytes(), emptyList);
  EXPECT_EQ(run->openLists, 0);
}

TEST_F(ContentsTest, RtfNodesFollowTheRtfMode) {
  f.Add(1, 1, kContainer, "Root");
  f.Add(2, 1, kRichText, "Formatted").fileName = "file0.rtf";
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

TEST_F(ContentsTest, LabelsStayInsideTheirAttributeValue) {
  f.Add(1, 1, kPlainText, "header before renaming").fileName = "file0.htm";
  f.Fill();
  f.tree.Root()->label = "Say \"hi\" & 'bye' <b>\xE9";
  EXPECT_EQ(Items(),
            "\n<LI> <OBJECT type=\"text/sitemap\">"
            "\n\t<param name=\"Name\" value=\"Say 'hi' &amp; 'bye' &lt;b&gt;\xE9\">"
            "\n\t<param name=\"Local\" value=\"file0.htm\">\n\t</OBJECT>");

  // Every byte a header can hold: the value keeps to its line and its quotes, and reads back,
  // as a viewer decodes it, as the label with blanks for control characters.
  std::string every, shown;
  for (int byte = 1; byte <= 255; ++byte) {
    every += static_cast<char>(byte);
    shown += byte < 0x20 || byte == 0x7F ? ' ' : byte == '"' ? '\'' : static_cast<char>(byte);
  }
  f.tree.Root()->label = every;
  const std::string items = Items();
  const std::string prefix = "\n<LI> <OBJECT type=\"text/sitemap\">\n\t<param name=\"Name\" value=\"";
  const std::string suffix = "\">\n\t<param name=\"Local\" value=\"file0.htm\">\n\t</OBJECT>";
  ASSERT_EQ(items.substr(0, prefix.size()), prefix);
  ASSERT_GT(items.size(), prefix.size() + suffix.size());
  ASSERT_EQ(items.substr(items.size() - suffix.size()), suffix);
  const std::string value = items.substr(prefix.size(), items.size() - prefix.size() - suffix.size());
  EXPECT_EQ(value.find_first_of("\"<>\r\n\x7F"), std::string::npos) << value;
  std::string decoded;
  for (size_t at = 0; at < value.size(); ++at) {
    bool reference = false;
    for (const auto& [text, byte] : {std::pair<std::string, char>{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}}) {
      if (value.compare(at, text.size(), text) == 0) {
        decoded += byte;
        at += text.size() - 1;
        reference = true;
        break;
      }
    }
    if (!reference) {
      EXPECT_NE(value[at], '&') << "a bare ampersand at " << at;
      decoded += value[at];
    }
  }
  EXPECT_EQ(decoded, shown);
}

TEST(SitemapParam, WritesNameAndValueUnescaped) {
  EXPECT_EQ(sitemapParam("Name", "a\"b&c"), "<param name=\"Name\" value=\"a\"b&c\">");
  EXPECT_EQ(sitemapParam("", ""), "<param name=\"\" value=\"\">");
}

}  // namespace
}  // namespace t2c
