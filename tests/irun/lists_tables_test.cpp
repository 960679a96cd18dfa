// Lists from the list tables and from \pn, and tables: rows, merged cells, nesting.
#include <gtest/gtest.h>

#include "convert_helper.h"

using irun_test::body;
using irun_test::doc;

namespace {

const char* kListTables =
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext \\'01\\u8226 ?;}}"
    "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext \\'02\\'01.;}}\\listid100}"
    "{\\list{\\listlevel\\levelnfc4\\levelstartat3{\\leveltext \\'02\\'00);}}\\listid200}}"
    "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid200\\listoverridecount0\\ls2}}\n";

TEST(Lists, BulletsAndNumbersFromTheListTable) {
    EXPECT_EQ(body(doc(std::string(kListTables) +
                       "\\pard\\ls1{\\listtext \\'b7\\tab}one\\par"
                       "\\pard\\ls1\\ilvl1{\\listtext 1.\\tab}sub\\par"
                       "\\pard\\ls1{\\listtext \\'b7\\tab}two\\par"
                       "\\pard\\ls2{\\listtext c)\\tab}three\\par\\pard after\\par")),
              "<UL><LI>one<OL><LI>sub</LI></OL>\n</LI>\n<LI>two</LI></UL>\n"
              "<OL TYPE=\"a\" START=\"3\"><LI>three</LI></OL>\n<P>after</P>\n");
}

TEST(Lists, NumberingContinuesAfterAnInterruption) {
    EXPECT_EQ(body(doc(std::string(kListTables) +
                       "\\pard\\ls2 a\\par\\pard\\ls2 b\\par\\pard x\\par\\pard\\ls2 c\\par")),
              "<OL TYPE=\"a\" START=\"3\"><LI>a</LI>\n<LI>b</LI></OL>\n<P>x</P>\n"
              "<OL TYPE=\"a\" START=\"5\"><LI>c</LI></OL>\n");
}

TEST(Lists, OldStyleParagraphNumbering) {
    // What rich-text controls write: \pntext carries the label, \pn the kind of list.
    EXPECT_EQ(body(doc("\\pard{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}"
                       "\\fi-360\\li720 one\\par{\\pntext\\'b7\\tab}two\\par"
                       "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta.}}num\\par\\pard x\\par")),
              "<UL><LI>one</LI>\n<LI>two</LI></UL>\n<OL><LI>num</LI></OL>\n<P>x</P>\n");
}

TEST(Lists, NumberedHeadingsStayHeadings) {
    EXPECT_EQ(body(doc(std::string("{\\stylesheet{\\s1 heading 1;}{\\s2 heading 2;}}") + kListTables +
                       "\\pard\\s1\\ls1{\\listtext \\'b7\\tab}Intro\\par\\pard\\s2\\ls1\\ilvl1\\qc{\\listtext 1.\\tab}Part\\par"
                       "\\pard text\\par")),
              "<UL><LI><H1>Intro</H1><OL><LI><H2 STYLE=\"text-align:center\">Part</H2></LI></OL>\n"
              "</LI></UL>\n<P>text</P>\n");
}

TEST(Lists, UnknownListNumbersGiveBullets) {
    EXPECT_EQ(body(doc("\\pard\\ls9 a\\par")), "<UL><LI>a</LI></UL>\n");
}

TEST(Tables, RowsAndCells) {
    EXPECT_EQ(body(doc("\\trowd\\cellx1440\\cellx4320\\pard\\intbl a\\cell b\\par c\\cell\\row"
                       "\\trowd\\cellx1440\\cellx4320\\pard\\intbl\\cell d\\cell\\row\\pard after\\par")),
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD WIDTH=\"96\" VALIGN=\"TOP\"><P>a</P>\n</TD>"
              "<TD WIDTH=\"192\" VALIGN=\"TOP\"><P>b</P>\n<P>c</P>\n</TD></TR>\n"
              "<TR><TD WIDTH=\"96\" VALIGN=\"TOP\">&nbsp;</TD><TD WIDTH=\"192\" VALIGN=\"TOP\"><P>d</P>\n</TD></TR>\n"
              "</TABLE>\n<P>after</P>\n");
}

TEST(Tables, MergedCells) {
    EXPECT_EQ(body(doc("\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clvmgf\\cellx3000\\pard\\intbl a\\cell\\cell b\\cell\\row"
                       "\\trowd\\cellx1000\\cellx2000\\clvmrg\\cellx3000\\pard\\intbl c\\cell d\\cell\\cell\\row\\pard\\par")),
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD WIDTH=\"132\" COLSPAN=\"2\" VALIGN=\"TOP\"><P>a</P>\n</TD>"
              "<TD WIDTH=\"66\" ROWSPAN=\"2\" VALIGN=\"TOP\"><P>b</P>\n</TD></TR>\n"
              "<TR><TD WIDTH=\"66\" VALIGN=\"TOP\"><P>c</P>\n</TD><TD WIDTH=\"66\" VALIGN=\"TOP\"><P>d</P>\n</TD></TR>\n"
              "</TABLE>\n<P><BR></P>\n");
}

TEST(Tables, NestedTables) {
    std::string inner = "\\pard\\intbl\\itap2 x\\nestcell y\\nestcell"
                        "{\\*\\nesttableprops\\trowd\\cellx500\\cellx1000\\nestrow}{\\nonesttables\\par}";
    EXPECT_EQ(body(doc("\\trowd\\cellx1500\\cellx3000\\pard\\intbl outer\\par" + inner + "\\pard\\intbl\\cell z\\cell\\row\\pard\\par")),
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD WIDTH=\"100\" VALIGN=\"TOP\"><P>outer</P>\n"
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD WIDTH=\"33\" VALIGN=\"TOP\"><P>x</P>\n</TD><TD WIDTH=\"33\" VALIGN=\"TOP\"><P>y</P>\n</TD></TR>\n"
              "</TABLE>\n</TD><TD WIDTH=\"100\" VALIGN=\"TOP\"><P>z</P>\n</TD></TR>\n</TABLE>\n<P><BR></P>\n");
}

TEST(Tables, DepthJumpsAndMissingRowEnds) {
    // A jump from no table straight to depth 3, and a file that never closes its row.
    std::string html = body(doc("\\pard\\intbl\\itap3 deep\\nestcell\\pard\\intbl\\itap1 a\\cell"));
    EXPECT_EQ(html,
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n<TR><TD VALIGN=\"TOP\">"
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n<TR><TD VALIGN=\"TOP\">"
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n<TR><TD VALIGN=\"TOP\"><P>deep</P>\n</TD></TR>\n"
              "</TABLE>\n</TD></TR>\n</TABLE>\n<P>a</P>\n</TD></TR>\n</TABLE>\n");
    // Far past the supported depth: clamped, still one closed structure.
    std::string deep = body(doc("\\pard\\intbl\\itap2000000 x\\nestcell\\row"));
    size_t opens = 0, closes = 0;
    for (size_t p = 0; (p = deep.find("<TABLE", p)) != std::string::npos; ++p) ++opens;
    for (size_t p = 0; (p = deep.find("</TABLE>", p)) != std::string::npos; ++p) ++closes;
    EXPECT_EQ(opens, 32u);
    EXPECT_EQ(closes, 32u);
}

TEST(Lists, UnresolvedListsKeepTheirNumbers) {
    // Old-style numbering with an \ls that names no list: the \pn numbering counts.
    EXPECT_EQ(body(doc("\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}\\ls3 one\\par"
                       "{\\pntext\\f0 2.\\tab}two\\par\\pard{\\pntext\\f0 a)\\tab}{\\*\\pn\\pnlvlbody\\pnlcltr{\\pntxta )}}"
                       "\\ls4 sub\\par\\pard x\\par")),
              "<OL><LI>one</LI>\n<LI>two</LI></OL>\n<OL TYPE=\"a\"><LI>sub</LI></OL>\n<P>x</P>\n");
    // OpenOffice's shape: a label group holding paragraph words, lists no table defines. The
    // label shows; a list override that does resolve, even numbered 0, numbers its paragraphs.
    EXPECT_EQ(body(doc("{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat1}\\listid7}}"
                       "{\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls0}"
                       "{\\listoverride\\listid99\\listoverridecount0\\ls5}}"
                       "\\pard{\\listtext\\pard\\plain \\li720\\fi-360{\\b 1.}\\tab}\\ilvl0\\ls5\\li720\\fi-360 one\\par"
                       "\\pard{\\listtext\\pard\\plain \\'b7\\tab}\\ls2 two\\par"
                       "\\pard{\\listtext 1.\\tab}\\ls0 listed\\par\\pard\\ls9 bare\\par")),
              "<P STYLE=\"margin-left:36pt;text-indent:-18pt\"><B>1.</B>\tone</P>\n"
              "<P>\xB7\ttwo</P>\n<OL><LI>listed</LI></OL>\n<UL><LI>bare</LI></UL>\n");
    // Inside a table cell and a footnote the label is kept the same way.
    EXPECT_EQ(body(doc("\\trowd\\cellx1000\\pard\\intbl{\\listtext 3.\\tab}\\ls8 cell\\cell\\row\\pard x"
                       "{\\footnote\\pard{\\pntext 4.\\tab}note}\\par")),
              "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD WIDTH=\"66\" VALIGN=\"TOP\"><P>3.\tcell</P>\n</TD></TR>\n</TABLE>\n<P>x</P>\n<HR>\n"
              "<DIV CLASS=\"footnote\"><A NAME=\"ftn1\" HREF=\"#ftnref1\">1</A>\n<P>4.\tnote</P>\n</DIV>\n");
}

}  // namespace
