// Formatting: character properties, inheritance through groups, \plain and \pard, paragraphs, styles.
#include <gtest/gtest.h>

#include "convert_helper.h"

using irun_test::body;
using irun_test::doc;

namespace {

TEST(Formatting, CharacterProperties) {
    EXPECT_EQ(body(doc("{\\b b}{\\i i}{\\ul u}{\\strike s}{\\super p}{\\sub d}\\par")),
              "<P><B>b</B><I>i</I><U>u</U><S>s</S><SUP>p</SUP><SUB>d</SUB></P>\n");
    // Switching one property keeps the others open.
    EXPECT_EQ(body(doc("\\b a\\i b\\b0 c\\i0\\ul d\\ulnone e\\par")),
              "<P><B>a<I>b</I></B><I>c</I><U>d</U>e</P>\n");
}

TEST(Formatting, GroupsRestoreAndPlainResets) {
    EXPECT_EQ(body(doc("\\b a{\\b0 b{\\i c}}d\\plain e\\par")), "<P><B>a</B>b<I>c</I><B>d</B>e</P>\n");
    // \pard resets the paragraph only.
    EXPECT_EQ(body(doc("\\qc\\b a\\par\\pard b\\par")),
              "<P STYLE=\"text-align:center\"><B>a</B></P>\n<P><B>b</B></P>\n");
}

TEST(Formatting, FontsSizesAndColours) {
    EXPECT_EQ(body(doc("{\\f1\\fs20 a}{\\cf1 b}{\\highlight2 c}{\\cb1 d}{\\f0\\fs24 e}\\par")),
              "<P><SPAN STYLE=\"font-family:'Arial';font-size:10pt\">a</SPAN>"
              "<SPAN STYLE=\"color:#FF0000\">b</SPAN><SPAN STYLE=\"background:#008000\">c</SPAN>"
              "<SPAN STYLE=\"background:#FF0000\">d</SPAN>e</P>\n");
    // Colour and font numbers outside the tables are ignored.
    EXPECT_EQ(body(doc("{\\cf99\\highlight-1\\f77 a}{\\cf0 b}\\par")), "<P>ab</P>\n");
}

TEST(Formatting, SpansOfFontAndColourEncloseTheRuns) {
    EXPECT_EQ(body(doc("\\b a{\\f1\\i b}{\\cf1 c}d\\par")),
              "<P><B>a</B><SPAN STYLE=\"font-family:'Arial'\"><B><I>b</I></B></SPAN>"
              "<SPAN STYLE=\"color:#FF0000\"><B>c</B></SPAN><B>d</B></P>\n");
}

TEST(Formatting, ParagraphAlignmentIndentsAndSpacing) {
    EXPECT_EQ(body(doc("\\qr a\\par\\pard\\qj\\li720\\ri360\\fi-360\\sb240\\sa120 b\\par")),
              "<P STYLE=\"text-align:right\">a</P>\n"
              "<P STYLE=\"text-align:justify;margin-left:36pt;text-indent:-18pt;margin-right:18pt;"
              "margin-top:12pt;margin-bottom:6pt\">b</P>\n");
    // Clamped rather than passed on.
    EXPECT_EQ(body(doc("\\li999999999 a\\par")), "<P STYLE=\"margin-left:1584pt\">a</P>\n");
}

TEST(Formatting, BreaksAndSpecialCharacters) {
    EXPECT_EQ(body(doc("a\\line b\\tab c\\par\\par")), "<P>a<BR>b\tc</P>\n<P><BR></P>\n");
    EXPECT_EQ(body(doc("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\par")),
              "<P>\x97\x96\x95\x91\x92\x93\x94</P>\n");
    EXPECT_EQ(body(doc("a\\~b\\-c\\_d\\par")), "<P>a\xA0" "bc&#8209;d</P>\n");
    // Blanks keep their number.
    EXPECT_EQ(body(doc("a   b\\par")), "<P>a \xA0\xA0" "b</P>\n");
    EXPECT_EQ(body(doc("a\\page b\\sect c\\par")), "<P>a</P>\n<P>b</P>\n<P>c</P>\n");
}

TEST(Formatting, RunsSplitWhereTheScriptChanges) {
    EXPECT_EQ(body(doc("\\i ab \\u20013?\\u25991?, \\u12354? cd\\i0  \\u20013?\\par"), 65001),
              "<P><I>ab </I><I>\xE4\xB8\xAD\xE6\x96\x87, \xE3\x81\x82 </I><I>cd</I> \xE4\xB8\xAD</P>\n");
}

TEST(Formatting, HiddenTextStaysHidden) {
    EXPECT_EQ(body(doc("a{\\v\\b hidden}b{\\deleted gone\\tab}\\par")),
              "<P>a<SPAN STYLE=\"display:none\"><B>hidden</B></SPAN>b<SPAN STYLE=\"display:none\">gone\t</SPAN></P>\n");
}

TEST(Formatting, HeadingStylesThroughBasedOnChains) {
    std::string styles =
        "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\b heading 1;}{\\s2\\sbasedon1 My Heading;}"
        "{\\s3\\outlinelevel2 Custom;}{\\s4\\sbasedon5 Loop A;}{\\s5\\sbasedon4 Loop B;}"
        "{\\s6\\sbasedon6\\qc Self;}}";
    EXPECT_EQ(body(doc(styles + "\\pard\\s1 a\\par\\pard\\s2 b\\par\\pard\\s3 c\\par\\pard\\s4 d\\par"
                                "\\pard\\s6 e\\par\\pard\\s0 f\\par")),
              "<H1>a</H1>\n<H1>b</H1>\n<H3>c</H3>\n<P>d</P>\n<P STYLE=\"text-align:center\">e</P>\n<P>f</P>\n");
}

TEST(Formatting, StylesDoNotLeakCharacterFormatting) {
    EXPECT_EQ(body(doc("{\\stylesheet{\\s1\\b\\qc Strong;}}\\pard\\s1 a\\par\\pard b\\par")),
              "<P STYLE=\"text-align:center\">a</P>\n<P>b</P>\n");
}

TEST(Formatting, RightToLeftParagraphsAndRuns) {
    // Word's shape: every run states its direction; only the English one differs from its paragraph.
    std::string head = "{\\rtf1\\ansi\\ansicpg1255\\deff0{\\fonttbl{\\f0\\fcharset177 Times;}}";
    EXPECT_EQ(body(head + "\\pard\\rtlpar\\qr\\li0\\ri720\\lin720\\rin0 {\\ltrch\\fcs0 \\rtlch\\fcs1 \\'f9\\'ec\\'e5\\'ed }"
                          "{\\rtlch\\fcs1 \\ltrch\\fcs0 Word}{\\ltrch\\fcs0 \\rtlch\\fcs1  \\'e0}\\par"
                          "\\pard\\ltrpar {\\rtlch\\fcs1 \\ltrch\\fcs0 Left }{\\ltrch \\rtlch\\b \\'e0\\'e1}\\par}", 65001),
              "<P DIR=\"rtl\" STYLE=\"text-align:right;margin-right:36pt\">\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D "
              "<SPAN DIR=\"ltr\">Word</SPAN> \xD7\x90</P>\n"
              "<P>Left <SPAN DIR=\"rtl\"><B>\xD7\x90\xD7\x91</B></SPAN></P>\n");
    // Headings, list items and cells carry the direction of their paragraphs; \pard resets it.
    EXPECT_EQ(body(doc("{\\stylesheet{\\s1 heading 1;}}\\pard\\s1\\rtlpar Head\\par"
                       "\\pard{\\*\\pn\\pnlvlblt}\\rtlpar item\\par"
                       "\\trowd\\cellx1000\\pard\\intbl\\rtlpar\\qc cell\\cell\\row\\pard after\\par")),
              "<H1 DIR=\"rtl\">Head</H1>\n<UL><LI DIR=\"rtl\">item</LI></UL>\n"
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n<TR><TD WIDTH=\"66\" VALIGN=\"TOP\">"
              "<P DIR=\"rtl\" STYLE=\"text-align:center\">cell</P>\n</TD></TR>\n</TABLE>\n<P>after</P>\n");
}

}  // namespace
