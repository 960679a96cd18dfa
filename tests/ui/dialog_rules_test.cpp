// The main window's decisions and texts, on whole outputs.
#include <gtest/gtest.h>

#include "support/shift_jis.h"
#include "support/tree_fixture.h"
#include "ui/dialog_texts.h"
#include "ui/window_rules.h"

namespace t2c {
namespace {

TEST(DialogTexts, ProposedFileNames) {
  EXPECT_EQ(proposedFileName("Notes: A\\B?"), "Notes- A_B.chm");
  EXPECT_EQ(proposedFileName("Notes 2011/2012 <A|B> *"), "Notes 2011_2012 _A_B_ _.chm");
  EXPECT_EQ(proposedFileName("Doc"), "Doc");
  EXPECT_EQ(proposedFileName("Help"), "Help");
  EXPECT_EQ(proposedFileName("Manual.CHM"), "Manual.CHM");
  EXPECT_EQ(proposedFileName(""), "");
  EXPECT_EQ(proposedFileName("\"Big\" *plan*"), "Big _plan_.chm");
  EXPECT_EQ(proposedFileName("a.chm.txt"), "a.chm.txt.chm");
  // The second byte of a two-byte character may be the byte of "\": it stays as it is.
  EXPECT_EQ(proposedFileName("\x95\\\x8E\x86:\\", shiftJisLead), "\x95\\\x8E\x86-_.chm");
}

// A title of any length gives the help file a title its compiler can store whole.
TEST(DialogTexts, HelpFileTitlesAreCutOnCharacterBounds) {
  EXPECT_EQ(helpFileTitle("Garden Journal"), "Garden Journal");
  const std::string longest(kLongestHelpFileTitle, 'R');
  EXPECT_EQ(helpFileTitle(longest), longest);
  EXPECT_EQ(helpFileTitle(longest + std::string(1 << 20, 'S')), longest);
  // A two-byte character that would straddle the limit goes whole.
  const std::string pairs = std::string(kLongestHelpFileTitle - 1, 'a') + "\x95\\\x95\\";
  EXPECT_EQ(helpFileTitle(pairs, shiftJisLead), std::string(kLongestHelpFileTitle - 1, 'a'));
  EXPECT_EQ(helpFileTitle(pairs), pairs.substr(0, kLongestHelpFileTitle));
  EXPECT_EQ(helpFileTitle("\x95\\" + std::string(kLongestHelpFileTitle, 'b'), shiftJisLead),
            "\x95\\" + std::string(kLongestHelpFileTitle - 2, 'b'));
}

TEST(DialogTexts, TitlesAndDescription) {
  std::string version = versionText(2, 2, 1, 83);
  EXPECT_EQ(version, "Tessaly2CHM 2.21 (build 83, Dec 26 2011)");
  EXPECT_EQ(versionText(0, 0, 0, 0), "Tessaly2CHM 0.00 (build 0, Dec 26 2011)");
  EXPECT_EQ(countedTitle(baseTitle(version, "Make CHM-file from entire document"), "CHM-file articles: %d", 7),
            "Tessaly2CHM 2.21 (build 83, Dec 26 2011) - Make CHM-file from entire document [CHM-file articles: 7]");
  EXPECT_EQ(countedTitle(baseTitle(version, ""), "CHM-file articles: %d", 0),
            "Tessaly2CHM 2.21 (build 83, Dec 26 2011) [CHM-file articles: 0]");
  EXPECT_EQ(jobDescription("The file created by Tessaly & Tessaly2CHM plugin", 2, 2, 1),
            "The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example");
  EXPECT_EQ(fillInText("Creation %s failed", "C:\\a 100%.chm"), "Creation C:\\a 100%.chm failed");
  EXPECT_EQ(fillInText("no placeholder %d", "x"), "no placeholder %d");
  EXPECT_EQ(fillInNumber("broken %s", 3), "broken %s");
}

TEST(DialogTexts, TooltipsAndTipPanel) {
  EXPECT_FALSE(tooltipLinksSupported(5, 0));
  EXPECT_TRUE(tooltipLinksSupported(5, 1));
  EXPECT_FALSE(tooltipLinksSupported(6, 0));
  EXPECT_FALSE(tooltipLinksSupported(10, 0));
  EXPECT_TRUE(tooltipLinksSupported(6, 1));

  std::string linked = converterTooltip("Translate text to HTML.RTF2HTML modules required", "found", true);
  EXPECT_EQ(linked,
            "Translate text to HTML.RTF2HTML modules required (found)\n"
            "<A HREF=\"http://www.tessaly.example\">http://www.tessaly.example</A>");
  std::string plain = converterTooltip("Translate text to HTML.RTF2HTML modules required", "not found!!!", false);
  EXPECT_EQ(plain, "Translate text to HTML.RTF2HTML modules required (not found!!!)\nhttp://www.tessaly.example");

  EXPECT_EQ(tipPanelText("Tip", linked),
            "Tip\r\nTranslate text to HTML.RTF2HTML modules required (found)\nhttp://www.tessaly.example");
  EXPECT_EQ(tipPanelText("Tip", plain), "Tip\r\n" + plain);
  EXPECT_EQ(tipPanelText("Tip", "<A HREF=\"x\">x</A> stays"), "Tip\r\n<A HREF=\"x\">x stays");
  EXPECT_EQ(tipPanelText("Tip", "open <A without end"), "Tip\r\nopen <A without end");
}

TEST(DialogTexts, LanguageEntries) {
  EXPECT_EQ(languageEntryText(0x409, "English (United States)"), "0x409 English (United States)");
  EXPECT_EQ(languageEntryText(0xc0c, "French (Canada)"), "0xc0c French (Canada)");
  EXPECT_EQ(languageEntryText(0x1234, ""), "0x1234");
  EXPECT_EQ(preselectedLayout({0x409, 0x419}, 0x419), 1);
  EXPECT_EQ(preselectedLayout({0x419, 0x409, 0x419}, 0x419), 2);
  EXPECT_EQ(preselectedLayout({0x409, 0x419}, 0x407), -1);
  // A sort part above the language id matches no layout.
  EXPECT_EQ(preselectedLayout({0x409, 0x419}, 0x10419), -1);
  EXPECT_EQ(preselectedLayout({}, 0x409), -1);
}

TEST(WindowRules, Options) {
  auto fallback = [](bool rtf, bool plain, bool found) {
    ConverterFallback f = converterFallback(rtf, plain, found);
    return std::to_string(f.passed) + std::to_string(f.uncheckRtfToHtml) + std::to_string(f.uncheckPlainAsHtml);
  };
  EXPECT_EQ(fallback(true, true, true), "100");
  EXPECT_EQ(fallback(false, false, false), "100");
  EXPECT_EQ(fallback(true, true, false), "011");
  EXPECT_EQ(fallback(true, false, false), "011");
  EXPECT_EQ(fallback(false, true, false), "001");

  EXPECT_TRUE(restartQuestionNeeded(false, true, kRtfToHtml));
  EXPECT_FALSE(restartQuestionNeeded(true, true, kRtfToHtml));
  EXPECT_FALSE(restartQuestionNeeded(false, false, kRtfToHtml));
  EXPECT_FALSE(restartQuestionNeeded(false, true, kRtfArticle));
  EXPECT_TRUE(picturesWanted(1, kRtfToHtml));
  EXPECT_TRUE(picturesWanted(5, kRtfToHtml));
  EXPECT_FALSE(picturesWanted(0, kRtfToHtml));
  EXPECT_FALSE(picturesWanted(1, kRtfLinkPage));
}

class TreeRules : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Add(1, 1, kContainer, "Root");
    f.Add(2, 1, kRichText, "Rich");
    f.Add(3, 1, kSecondContainer, "Box");
    f.Add(4, 3, kRichText, "Inner rich");
    f.Add(5, 3, kPlainText, "Plain");
    f.Fill();
  }
  std::string Marks() {
    std::string marks;
    for (int id = 1; id <= 5; ++id) marks += f.Node(id).excluded ? 'x' : '.';
    return marks;
  }
  TreeItem* Item(int id) { return f.tree.FindById(id); }
  TreeFixture f;
};

TEST_F(TreeRules, ExclusionMarks) {
  ExclusionMarks marks;
  f.Node(5).excluded = 1;
  EXPECT_EQ(marks.ApplyMode(f.tree, kRtfSkip), 2);
  EXPECT_EQ(Marks(), ".x.xx");
  EXPECT_EQ(marks.ApplyMode(f.tree, kRtfToHtml), 0);
  EXPECT_EQ(Marks(), "....x");

  EXPECT_TRUE(marks.Toggle(f.tree, Item(3)));
  EXPECT_EQ(Marks(), "..xxx");
  EXPECT_FALSE(marks.Toggle(f.tree, Item(5)));
  EXPECT_EQ(Marks(), "..xx.");
  // The user's exclusion of an RTF node outlives every change of mode.
  marks.ApplyMode(f.tree, kRtfSkip);
  EXPECT_EQ(marks.ApplyMode(f.tree, kRtfArticle), 0);
  EXPECT_EQ(Marks(), "..xx.");
  EXPECT_FALSE(marks.Toggle(f.tree, Item(3)));
  EXPECT_EQ(Marks(), ".....");
  EXPECT_FALSE(marks.Toggle(f.tree, nullptr));

  marks.ApplyMode(f.tree, kRtfSkip);
  marks.Toggle(f.tree, Item(5));
  marks.Toggle(f.tree, Item(4));
  EXPECT_EQ(Marks(), ".x..x");
  marks.IncludeAll(f.tree);
  EXPECT_EQ(Marks(), ".....");
  marks.ApplyMode(f.tree, kRtfToHtml);
  EXPECT_EQ(Marks(), ".....");
}

TEST_F(TreeRules, NodeMenuStates) {
  auto states = [&](TreeItem* selected, TreeItem* first) {
    NodeMenuStates s = nodeMenuStates(f.tree, selected, first);
    std::string text;
    for (const MenuItemState& item : {s.rename, s.showInHost, s.firstArticle, s.exclude, s.includeAll})
      text += std::string(item.enabled ? "E" : "-") + (item.checked ? "C " : ". ");
    return text;
  };
  EXPECT_EQ(states(nullptr, nullptr), "-. E. -. -. E. ");
  EXPECT_EQ(states(Item(1), Item(1)), "EC E. EC -. E. ");
  f.Node(4).excluded = 1;
  EXPECT_EQ(states(Item(4), Item(1)), "E. E. E. EC E. ");
  EXPECT_EQ(states(Item(2), Item(2)), "EC E. EC E. E. ");
}

}  // namespace
}  // namespace t2c
