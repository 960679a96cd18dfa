// Hyperlink texts in pages made from RTF: what is removed, in which order, and which links count.
#include <gtest/gtest.h>

#include <string>

#include "convert/html_passes.h"

namespace t2c {
namespace {

std::string tidied(std::string page) {
  tidyLinkTexts(page);
  return page;
}

TEST(TidyLinkTextsTest, BlanksAreStrippedBeforeLineEnds) {
  EXPECT_EQ(tidied("<p><A HREF=\"f.htm\">  Text \r\n</A></p>"), "<p><A HREF=\"f.htm\">Text </A></p>");
}

TEST(TidyLinkTextsTest, EachStripTakesOnlyItsOwnCharacterOffTheEnds) {
  EXPECT_EQ(tidied("<A HREF=\"a\">\r\n Text</A>"), "<A HREF=\"a\">\n Text</A>");
  EXPECT_EQ(tidied("<A HREF=\"a\">\t \tX\t \t</A>"), "<A HREF=\"a\">\tX\t</A>");
  EXPECT_EQ(tidied("<A HREF=\"a\">\n\r X \r\n</A>"), "<A HREF=\"a\"> X </A>");
  EXPECT_EQ(tidied("<A HREF=\"a\">\t \n\r</A>"), "<A HREF=\"a\"></A>");
}

TEST(TidyLinkTextsTest, TabPairsAndEscapedBracketsAreRemovedBeforeStripping) {
  EXPECT_EQ(tidied("<A HREF=\"a\">&gt;<\tA\t&gt;B<\t </A>"), "<A HREF=\"a\">A\tB</A>");
  EXPECT_EQ(tidied("<A HREF=\"a\">&g<\tt;x</A>"), "<A HREF=\"a\">x</A>");
  EXPECT_EQ(tidied("<A HREF=\"a\">< \tx<</A>"), "<A HREF=\"a\">< \tx<</A>");
}

TEST(TidyLinkTextsTest, TagsInAnyLetterCaseAreCleaned) {
  EXPECT_EQ(tidied("<a href=\"x\">  y  </a> <A hReF=\"z\">\tw\t</a>"),
            "<a href=\"x\">y</a> <A hReF=\"z\">w</a>");
}

TEST(TidyLinkTextsTest, CleanLinksAreLeftByteForByte) {
  const std::string page = "<html><A HREF=\"x.htm\" TITLE=\"t\">Clean text</A>\r\n</html>";
  EXPECT_EQ(tidied(page), page);
}

TEST(TidyLinkTextsTest, OnlyLinksWhoseTagStartsWithHrefCount) {
  const std::string page =
      "<A TARGET=_blank HREF=\"http://x\"> x </A><A NAME=\" n \"> n </A><A  HREF=\"s\"> s </A>"
      "<A HREF=x> y </A><ABBR HREF=\"q\"> q </A>";
  EXPECT_EQ(tidied(page), page);
}

TEST(TidyLinkTextsTest, EveryLinkIsCleanedAndLaterOffsetsFollowTheShrinking) {
  EXPECT_EQ(tidied("a<A HREF=\"1\">  one  </A>b<A HREF=\"2\">two</A>c<A HREF=\"3\">\t three \t</A>d"),
            "a<A HREF=\"1\">one</A>b<A HREF=\"2\">two</A>c<A HREF=\"3\">three</A>d");
}

TEST(TidyLinkTextsTest, LinkTextRunsToTheFirstClosingTag) {
  EXPECT_EQ(tidied("<A HREF=\"a\"> <B>x</B> </A> tail"), "<A HREF=\"a\"><B>x</B></A> tail");
  EXPECT_EQ(tidied("<A HREF=\"a>b\"> t </A>"), "<A HREF=\"a>b\"> t</A>");
}

TEST(TidyLinkTextsTest, NextSearchStartsBehindTheClosingTag) {
  EXPECT_EQ(tidied("<A HREF=\"a\"> x <A HREF=\"b\"> y </A> z </A>"),
            "<A HREF=\"a\">x <A HREF=\"b\"> y</A> z </A>");
}

TEST(TidyLinkTextsTest, MissingClosingTagEndsThePass) {
  EXPECT_EQ(tidied("<A HREF=\"a\"> one </A> <A HREF=\"b\"> two "),
            "<A HREF=\"a\">one</A> <A HREF=\"b\"> two ");
  EXPECT_EQ(tidied("<A HREF=\"a\" and no end"), "<A HREF=\"a\" and no end");
  EXPECT_EQ(tidied("<A HREF=\"a\">\r\n"), "<A HREF=\"a\">\r\n");
}

TEST(TidyLinkTextsTest, PageWithoutLinksIsUnchanged) {
  EXPECT_EQ(tidied(""), "");
  EXPECT_EQ(tidied("<p> text </p>"), "<p> text </p>");
}

}  // namespace
}  // namespace t2c
