// Web addresses into links and bookmark markers into anchors, each checked on whole pages.
#include <gtest/gtest.h>

#include <string>

#include "convert/html_passes.h"

namespace t2c {
namespace {

std::string linked(std::string page) {
  linkWebAddresses(page);
  return page;
}

std::string link(const std::string& address) {
  return "<A TARGET=_blank HREF=\"" + address + "\">" + address + "</A>";
}

std::string anchored(std::string page) {
  insertBookmarkAnchors(page);
  return page;
}

TEST(LinkWebAddressesTest, HeadIsLeftAloneAndBodyAddressesAreLinked) {
  EXPECT_EQ(linked("<html><head><title>http://t.org</title></head><body>See http://a.org now\r\n"
                   "and http://b.org/x?y=1\r\n</body>"),
            "<html><head><title>http://t.org</title></head><body>See " + link("http://a.org") +
                " now\r\nand " + link("http://b.org/x?y=1") + "\r\n</body>");
}

TEST(LinkWebAddressesTest, WithoutHeadEndTheWholePageIsBody) {
  EXPECT_EQ(linked("<title>http://t.org</title>\r\n"),
            "<title>" + link("http://t.org") + "</title>\r\n");
}

TEST(LinkWebAddressesTest, HeadEndAtOffsetZeroMakesTheWholePageBody) {
  EXPECT_EQ(linked("</head>http://a.org b</head>"), "</head>" + link("http://a.org") + " b</head>");
}

TEST(LinkWebAddressesTest, UpperCaseHeadEndIsNotRecognised) {
  EXPECT_EQ(linked("<TITLE>http://t.org</TITLE></HEAD>x"),
            "<TITLE>" + link("http://t.org") + "</TITLE></HEAD>x");
}

TEST(LinkWebAddressesTest, EachEndByteEndsTheAddress) {
  EXPECT_EQ(linked("http://a.org\tx http://b.org\ny http://c.org\rz http://d.org w "
                   "http://e.org\"v http://f.org<BR>"),
            link("http://a.org") + "\tx " + link("http://b.org") + "\ny " + link("http://c.org") +
                "\rz " + link("http://d.org") + " w " + link("http://e.org") + "\"v " +
                link("http://f.org") + "<BR>");
}

TEST(LinkWebAddressesTest, HighBytesAndClosingBracketsStayInTheAddress) {
  EXPECT_EQ(linked("x http://a.org/\xE9t\xE9>q y"), "x " + link("http://a.org/\xE9t\xE9>q") + " y");
}

TEST(LinkWebAddressesTest, EscapedLessThanEndsTheAddressAndTheScanResumesThere) {
  EXPECT_EQ(linked("go http://a.org&lt;b&gt;;http://b.org\r\n"),
            "go " + link("http://a.org") + "&lt;b&gt;;" + link("http://b.org") + "\r\n");
}

TEST(LinkWebAddressesTest, ByteAfterThePrefixAlwaysBelongsToTheAddress) {
  EXPECT_EQ(linked("see http:// x.org next"), "see " + link("http:// x.org") + " next");
  EXPECT_EQ(linked("see http://<B>x</B>"), "see " + link("http://<B>x") + "</B>");
}

TEST(LinkWebAddressesTest, AddressRunningToTheEndOfThePageIsLinked) {
  EXPECT_EQ(linked("last http://a.org"), "last " + link("http://a.org"));
  EXPECT_EQ(linked("at the end http://"), "at the end " + link("http://"));
}

TEST(LinkWebAddressesTest, AddressRunningToTheEndIsTheLastEvenWhenCut) {
  EXPECT_EQ(linked("x http://a.org&lt;http://b.org"), "x " + link("http://a.org") + "&lt;http://b.org");
  EXPECT_EQ(linked("x http://a.org&lt;http://b.org\r\n"),
            "x " + link("http://a.org") + "&lt;" + link("http://b.org") + "\r\n");
}

TEST(LinkWebAddressesTest, AddressOf780BytesIsLinkedOneOf781IsNot) {
  const std::string a780 = "http://" + std::string(773, 'a');
  const std::string a781 = "http://" + std::string(774, 'b');
  ASSERT_EQ(a780.size(), 780u);
  EXPECT_EQ(linked(a780 + " " + a781 + " http://c.org"),
            link(a780) + " " + a781 + " " + link("http://c.org"));
}

TEST(LinkWebAddressesTest, LengthLimitIsCheckedBeforeTheEscapeShortensTheAddress) {
  const std::string tooLong = "http://a.org&lt;http://b.org/" + std::string(760, 'z');
  ASSERT_EQ(tooLong.size(), 789u);
  EXPECT_EQ(linked(tooLong + " http://c.org"), tooLong + " " + link("http://c.org"));
  const std::string shortEnough = "http://a.org&lt;" + std::string(764, 'z');
  ASSERT_EQ(shortEnough.size(), 780u);
  EXPECT_EQ(linked(shortEnough), link("http://a.org") + "&lt;" + std::string(764, 'z'));
}

TEST(LinkWebAddressesTest, PageWithoutAddressesIsUnchanged) {
  EXPECT_EQ(linked("<html><body>http:/ no HTTP://A.ORG either</body></html>"),
            "<html><body>http:/ no HTTP://A.ORG either</body></html>");
}

TEST(LinkWebAddressesTest, AddressesInsideTagsAreLeftAlone) {
  EXPECT_EQ(linked("<IMG SRC=\"http://a.org/p.png\" ALT=\"http://b.org\"> http://c.org"),
            "<IMG SRC=\"http://a.org/p.png\" ALT=\"http://b.org\"> " + link("http://c.org"));
  EXPECT_EQ(linked("<IMG SRC=http://a.org/p.png>http://b.org"),
            "<IMG SRC=http://a.org/p.png>" + link("http://b.org"));
}

TEST(LinkWebAddressesTest, QuotedValuesKeepTheirTagOpenPastAnAngleBracket) {
  EXPECT_EQ(linked("<IMG ALT=\"a>b http://x.org\" SRC='c>d http://y.org'> http://z.org"),
            "<IMG ALT=\"a>b http://x.org\" SRC='c>d http://y.org'> " + link("http://z.org"));
  // An apostrophe that opens no value leaves the tag to end at the next ">".
  EXPECT_EQ(linked("<FONT FACE=don't>http://a.org"), "<FONT FACE=don't>" + link("http://a.org"));
}

TEST(LinkWebAddressesTest, ConvertersOwnHyperlinksStayIntact) {
  const std::string existing = "<A HREF=\"http://x.org\">http://x.org</A>";
  EXPECT_EQ(linked("<head></head><body>" + existing + " and http://y.org</body>"),
            "<head></head><body>" + existing + " and " + link("http://y.org") + "</body>");
  const std::string lower = "<a href=\"http://x.org\">\r\nsee http://x.org\r\nor http://z.org</a>";
  EXPECT_EQ(linked(lower + "\r\nhttp://y.org\r\n"), lower + "\r\n" + link("http://y.org") + "\r\n");
}

TEST(LinkWebAddressesTest, ClosingTagWithWhiteSpaceStillEndsTheLink) {
  const std::string existing = "<A HREF=\"u\">see http://x.org</a >";
  EXPECT_EQ(linked(existing + " http://y.org"), existing + " " + link("http://y.org"));
  const std::string broken = "<A HREF=\"u\">see http://x.org</A\r\n>";
  EXPECT_EQ(linked(broken), broken);
}

TEST(LinkWebAddressesTest, AnchorWithoutClosingTagProtectsNothing) {
  EXPECT_EQ(linked("<A NAME=\"top\">http://a.org <ABBR>http://b.org</ABBR>"),
            "<A NAME=\"top\">" + link("http://a.org") + " <ABBR>" + link("http://b.org") +
                "</ABBR>");
}

TEST(LinkWebAddressesTest, EscapedMarkupIsLeftAloneLikeTheTagItBecomes) {
  const std::string typed = "&lt;a href=\"http://x.org\"&gt;;see http://x.org&lt;/a &gt;;";
  EXPECT_EQ(linked(typed + " http://y.org"), typed + " " + link("http://y.org"));
  EXPECT_EQ(linked("&lt;img src=http://a.org/p.png&gt;;http://b.org&lt;br&gt;;"),
            "&lt;img src=http://a.org/p.png&gt;;" + link("http://b.org") + "&lt;br&gt;;");
  // A bookmark marker is the anchor tag it becomes; an escaped "<" before a blank opens no tag,
  // nor one before an address, which the link's own tag then follows.
  EXPECT_EQ(linked("bookmark&lt;http://x.org&gt; 1 &lt; 2 &lt;http://y.org&gt;"),
            "bookmark&lt;http://x.org&gt; 1 &lt; 2 &lt;" + link("http://y.org&gt;"));
  // Without a "&gt;;" the escaped tag runs on, as it will once unescaped.
  EXPECT_EQ(linked("&lt;b&gt; http://z.org"), "&lt;b&gt; http://z.org");
}

TEST(InsertBookmarkAnchorsTest, MarkerBecomesAnOpenAnchor) {
  EXPECT_EQ(anchored("<p>a bookmark&lt;Intro&gt; b</p>"), "<p>a <A NAME=\"Intro\"> b</p>");
}

TEST(InsertBookmarkAnchorsTest, EveryMarkerIsReplacedAndEmptyNamesAreKept) {
  EXPECT_EQ(anchored("bookmark&lt;One&gt;x bookmark&lt;&gt;y bookmark&lt;Two words&gt;"),
            "<A NAME=\"One\">x <A NAME=\"\">y <A NAME=\"Two words\">");
}

TEST(InsertBookmarkAnchorsTest, MarkerWithoutLaterEndStopsThePass) {
  EXPECT_EQ(anchored("x bookmark&lt;A&gt; y bookmark&lt;B z bookmark&lt;C"),
            "x <A NAME=\"A\"> y bookmark&lt;B z bookmark&lt;C");
  EXPECT_EQ(anchored("&gt; bookmark&lt;A"), "&gt; bookmark&lt;A");
}

TEST(InsertBookmarkAnchorsTest, NameHoldingAMarkerIsSearchedAgainFromTheStart) {
  EXPECT_EQ(anchored("bookmark&lt;bookmark&lt;X&gt;Y&gt;"), "<A NAME=\"<A NAME=\"X\">Y\">");
  EXPECT_EQ(anchored("a bookmark&lt;b bookmark&lt;c bookmark&lt;d&gt;e&gt;f&gt;g bookmark&lt;h&gt;"),
            "a <A NAME=\"b <A NAME=\"c <A NAME=\"d\">e\">f\">g <A NAME=\"h\">");
  EXPECT_EQ(anchored("bookmark&lt;p bookmark&lt;q&gt; r"), "<A NAME=\"p bookmark&lt;q\"> r");
}

TEST(InsertBookmarkAnchorsTest, MarkerSearchIsCaseSensitive) {
  EXPECT_EQ(anchored("Bookmark&lt;A&gt; bookmark&LT;B&gt;"), "Bookmark&lt;A&gt; bookmark&LT;B&gt;");
}

}  // namespace
}  // namespace t2c
