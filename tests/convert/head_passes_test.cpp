// Colour text, generator traces, escapes and the charset declaration, each checked on whole pages.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "convert/html_passes.h"

namespace t2c {
namespace {

const std::string kPluginComment =
    "<!-- Created by:Tessaly2CHM Plugin by Brenmoor http://www.tessaly.example-->";

std::string withoutVersion(std::string page) {
  removeGeneratorVersion(page);
  return page;
}

std::string withComment(std::string page) {
  replaceCreatorComment(page);
  return page;
}

std::string unescaped(std::string page) {
  unescapeMarkup(page);
  return page;
}

std::string declared(std::string page, uint32_t codePage) {
  insertCharsetDeclaration(page, codePage);
  return page;
}

TEST(FormatColourTest, RedComesFirstAndTheHighByteIsIgnored) {
  EXPECT_EQ(formatColour(0x00563412u), "123456");
  EXPECT_EQ(formatColour(0xFF0A0B0Cu), "0C0B0A");
  EXPECT_EQ(formatColour(0x00FFFFFFu), "FFFFFF");
  EXPECT_EQ(formatColour(0u), "000000");
  EXPECT_EQ(formatColour(0x00ABCDEFu), "EFCDAB");
}

TEST(RemoveGeneratorVersionTest, VersionIsRemovedWithItsSemicolon) {
  EXPECT_EQ(withoutVersion("<meta content=\"Msftedit 5.41.21.2510;\">"), "<meta content=\"\">");
}

TEST(RemoveGeneratorVersionTest, OnlyTheFirstVersionIsRemoved) {
  EXPECT_EQ(withoutVersion("a Msftedit 5.1; b Msftedit 5.2; c"), "a  b Msftedit 5.2; c");
}

TEST(RemoveGeneratorVersionTest, VersionWithoutLaterSemicolonStays) {
  EXPECT_EQ(withoutVersion("Msftedit 5.41 and no end"), "Msftedit 5.41 and no end");
  EXPECT_EQ(withoutVersion("; Msftedit 4.1; Msftedit 5"), "; Msftedit 4.1; Msftedit 5");
}

TEST(RemoveGeneratorVersionTest, SemicolonRightAfterTheNameIsRemovedToo) {
  EXPECT_EQ(withoutVersion("xMsftedit 5.;y"), "xy");
}

TEST(ReplaceCreatorCommentTest, ConvertersCommentIsReplacedByThePluginsComment) {
  EXPECT_EQ(withComment("<html>\r\n<!-- Created by RTF2HTML v1 -->\r\n<head>"),
            "<html>\r\n" + kPluginComment + "\r\n<head>");
}

TEST(ReplaceCreatorCommentTest, OnlyTheFirstCommentIsReplaced) {
  EXPECT_EQ(withComment("x<!-- Created by A --><!-- Created by B -->"),
            "x" + kPluginComment + "<!-- Created by B -->");
}

TEST(ReplaceCreatorCommentTest, CommentAtTheVeryStartStays) {
  EXPECT_EQ(withComment("<!-- Created by A -->x<!-- Created by B -->"),
            "<!-- Created by A -->x<!-- Created by B -->");
}

TEST(ReplaceCreatorCommentTest, CommentWithoutEndStays) {
  EXPECT_EQ(withComment("x <!-- Created by A"), "x <!-- Created by A");
  EXPECT_EQ(withComment("x --> <!-- Created by-->"), "x --> " + kPluginComment);
}

TEST(UnescapeMarkupTest, LessThanAlwaysAndGreaterThanOnlyBeforeSemicolon) {
  EXPECT_EQ(unescaped("&lt;b&gt;bold&lt;/b&gt;;"), "<b&gt;bold</b>");
  EXPECT_EQ(unescaped("&lt;b&gt;;x&gt;;;y &gt; z"), "<b>x>;y &gt; z");
}

TEST(UnescapeMarkupTest, OtherEntitiesAndPartialEscapesStay) {
  EXPECT_EQ(unescaped("&lt;lt;&amp;lt;&amp;gt;;&lt &gt ;&GT;;"), "<lt;&amp;lt;&amp;gt;;&lt &gt ;&GT;;");
  EXPECT_EQ(unescaped("&&lt;gt;;&gt;&gt;;"), "&<gt;;&gt;>");
}

TEST(UnescapeMarkupTest, PageWithoutEscapesIsUnchanged) {
  EXPECT_EQ(unescaped("<p>a &amp; b</p>"), "<p>a &amp; b</p>");
}

TEST(CharsetDeclarationTest, KnownCodePagesNameTheirCharset) {
  EXPECT_EQ(charsetDeclaration(1200),
            "<meta http-equiv='Content-Type' content='text/html charset=utf-8'>");
  EXPECT_EQ(charsetDeclaration(1251),
            "<meta http-equiv='Content-Type' content='text/html charset=windows-1251'>");
  EXPECT_EQ(charsetDeclaration(1252),
            "<meta http-equiv='Content-Type' content='text/html charset=windows-1252'>");
}

TEST(CharsetDeclarationTest, EveryWindowsAnsiCodePageNamesItsCharset) {
  const std::pair<uint32_t, const char*> named[] = {
      {874, "windows-874"},   {932, "shift_jis"},    {936, "gb2312"},
      {949, "ks_c_5601-1987"}, {950, "big5"},         {1250, "windows-1250"},
      {1253, "windows-1253"}, {1254, "windows-1254"}, {1255, "windows-1255"},
      {1256, "windows-1256"}, {1257, "windows-1257"}, {1258, "windows-1258"},
      {65001, "utf-8"}};
  for (const auto& [codePage, charset] : named) {
    EXPECT_EQ(charsetDeclaration(codePage),
              std::string("<meta http-equiv='Content-Type' content='text/html charset=") + charset + "'>")
        << codePage;
  }
}

TEST(CharsetDeclarationTest, UnknownCodePageGetsAClosedDeclarationWithoutCharset) {
  for (uint32_t codePage : {0u, 437u, 1249u, 1259u, 20127u}) {
    EXPECT_EQ(charsetDeclaration(codePage), "<meta http-equiv='Content-Type' content='text/html'>")
        << codePage;
  }
}

TEST(InsertCharsetDeclarationTest, DeclarationFollowsTheHeadTag) {
  EXPECT_EQ(declared("<html>\r\n<HEAD>\r\n<title></title>", 1252),
            "<html>\r\n<HEAD>\n<meta http-equiv='Content-Type' content='text/html "
            "charset=windows-1252'>\n\r\n<title></title>");
}

TEST(InsertCharsetDeclarationTest, HeadTagIsFoundInAnyLetterCase) {
  EXPECT_EQ(declared("<html><head></head><HEAD>", 1251),
            "<html><head>\n<meta http-equiv='Content-Type' content='text/html "
            "charset=windows-1251'>\n</head><HEAD>");
  EXPECT_EQ(declared("<hEaD>", 1200),
            "<hEaD>\n<meta http-equiv='Content-Type' content='text/html charset=utf-8'>\n");
}

TEST(InsertCharsetDeclarationTest, PageWithoutHeadTagGetsTheDeclarationInFront) {
  EXPECT_EQ(declared("<html><head class=x><body>", 437),
            "<meta http-equiv='Content-Type' content='text/html'>\n<html><head class=x><body>");
  EXPECT_EQ(declared("", 1252),
            "<meta http-equiv='Content-Type' content='text/html charset=windows-1252'>\n");
}

}  // namespace
}  // namespace t2c
