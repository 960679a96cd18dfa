// Fields and anchors: hyperlinks with their switches, other fields' results, bookmarks, footnotes.
#include <gtest/gtest.h>

#include "convert_helper.h"

using irun_test::body;
using irun_test::doc;

namespace {

std::string field(const std::string& instruction, const std::string& result) {
    return "{\\field{\\*\\fldinst {" + instruction + "}}{\\fldrslt {" + result + "}}}";
}

TEST(Fields, HyperlinksWithSwitches) {
    EXPECT_EQ(body(doc(field("HYPERLINK \"http://example.org/a?b=1&c=\\\\\"q\\\\\"\"", "site") + "\\par")),
              "<P><A HREF=\"http://example.org/a?b=1&amp;c=&quot;q&quot;\">site</A></P>\n");
    EXPECT_EQ(body(doc(field("HYPERLINK \\\\l \"intro\" \\\\o \"Go to intro\"", "see") + "\\par")),
              "<P><A HREF=\"#intro\" TITLE=\"Go to intro\">see</A></P>\n");
    EXPECT_EQ(body(doc(field("HYPERLINK \"file:///c:/doc.htm\" \\\\l \"part\" \\\\t \"_blank\" \\\\h", "doc") + "\\par")),
              "<P><A HREF=\"file:///c:/doc.htm#part\">doc</A></P>\n");
    EXPECT_EQ(body(doc(field(" hyperlink mailto:me@example.org ", "mail") + "\\par")),
              "<P><A HREF=\"mailto:me@example.org\">mail</A></P>\n");
}

TEST(Fields, UnsafeTargetsGiveTextOnly) {
    EXPECT_EQ(body(doc(field("HYPERLINK \"javascript:alert(1)\"", "js") + field("HYPERLINK \" VBScript:x\"", "vb") +
                       field("HYPERLINK \"c:\\\\x.htm\"", "drive") + field("HYPERLINK \"\"", "none") + "\\par")),
              "<P>jsvbdrivenone</P>\n");
}

TEST(Fields, ReferencesWithoutASchemeStayLinks) {
    EXPECT_EQ(body(doc(field("HYPERLINK \"Simple-Example.html\"", "a") + field("HYPERLINK \"dir/p:1.htm?x\"", "b") +
                       field("HYPERLINK \"#\"", "c") + "\\par")),
              "<P><A HREF=\"Simple-Example.html\">a</A><A HREF=\"dir/p:1.htm?x\">b</A><A HREF=\"#\">c</A></P>\n");
}

TEST(Fields, LinkFormattingAndParagraphs) {
    // Formatting inside a link stays inside it; a link across paragraphs is reopened in each.
    EXPECT_EQ(body(doc("a" + field("HYPERLINK \"http://x/\"", "{\\b b}c\\par d") + "e\\par")),
              "<P>a<A HREF=\"http://x/\"><B>b</B>c</A></P>\n<P><A HREF=\"http://x/\">d</A>e</P>\n");
    // Links do not nest: the inner field only gives its text.
    EXPECT_EQ(body(doc(field("HYPERLINK \"http://x/\"", "a" + field("HYPERLINK \"http://y/\"", "b")) + "\\par")),
              "<P><A HREF=\"http://x/\">ab</A></P>\n");
}

TEST(Fields, OtherFieldsGiveTheirResult) {
    EXPECT_EQ(body(doc(field("PAGE", "7") + " " + field("SYMBOL 183 \\\\f \"Symbol\"", "*") +
                       "{\\field{\\*\\fldinst DATE}}\\par")),
              "<P>7 *</P>\n");
}

TEST(Bookmarks, AnchorsAtTheirPlace) {
    EXPECT_EQ(body(doc("a{\\*\\bkmkstart Intro \"x\"}{\\*\\bkmkend Intro \"x\"}b\\par")),
              "<P>a<A NAME=\"Intro &quot;x&quot;\"></A>b</P>\n");
    // Inside a link the anchor follows it rather than nesting.
    EXPECT_EQ(body(doc(field("HYPERLINK \"http://x/\"", "a{\\*\\bkmkstart m}b") + "\\par")),
              "<P><A HREF=\"http://x/\">ab</A><A NAME=\"m\"></A></P>\n");
}

TEST(Footnotes, NotesInTablesHoldNoTable) {
    std::string html = irun_test::convert(doc("\\trowd\\cellx1000\\pard\\intbl a{\\super\\chftn}"
                                              "{\\footnote\\pard\\intbl note\\cell x}\\cell\\row"));
    EXPECT_NE(html.find("<DIV CLASS=\"footnote\"><A NAME=\"ftn1\" HREF=\"#ftnref1\">1</A>\n<P>note</P>\n<P>x</P>\n</DIV>"),
              std::string::npos) << html;
    EXPECT_EQ(html.find("<TABLE"), html.rfind("<TABLE"));
}

TEST(Footnotes, ListedAtTheEndWithLinksBothWays) {
    std::string html = irun_test::convert(doc("Text{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} First.}"
                                              " more{\\super *}{\\footnote\\pard\\plain * Second.\\par Again.}\\par"));
    size_t start = html.find("<BODY>\n") + 7;
    EXPECT_EQ(html.substr(start),
              "<P>Text<SUP><A NAME=\"ftnref1\" HREF=\"#ftn1\">1</A></SUP> more<SUP>*</SUP></P>\n<HR>\n"
              "<DIV CLASS=\"footnote\"><P><SUP><A NAME=\"ftn1\" HREF=\"#ftnref1\">1</A></SUP> First.</P>\n</DIV>\n"
              "<DIV CLASS=\"footnote\"><A NAME=\"ftn2\" HREF=\"#ftnref2\">2</A>\n<P>* Second.</P>\n<P>Again.</P>\n</DIV>\n"
              "</BODY>\n</HTML>\n");
}

TEST(Fields, DeeplyNestedFieldsKeepTheirText) {
    // Past the nesting limit fields make no links, but every level's text stays, in order.
    for (int depth : {80, 600}) {
        std::string rtf, text;
        for (int i = 0; i < depth; ++i) {
            rtf += "{\\field{\\*\\fldinst HYPERLINK \"http://x/" + std::to_string(i) + "\"}{\\fldrslt t" +
                   std::to_string(i) + " ";
            text += "t" + std::to_string(i) + " ";
        }
        for (int i = 0; i < depth; ++i) rtf += "}}";
        text.pop_back();
        EXPECT_EQ(body(doc(rtf + "end\\par")), "<P><A HREF=\"http://x/0\">" + text + " </A>end</P>\n") << depth;
    }
}

}  // namespace
