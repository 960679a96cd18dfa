// Robustness: broken files still give a whole document keeping the text read before the fault.
#include <gtest/gtest.h>

#include <string>

#include "convert_helper.h"

using irun_test::body;
using irun_test::convert;

namespace {

TEST(Document, ShapeOfTheOutput) {
    irun::ConvertOptions options;
    options.background = "12ABef";
    EXPECT_EQ(irun::rtfToHtml("{\\rtf1 Hi\\par}", options),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n"
              "<!-- Created by irun RTF to HTML converter -->\n"
              "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
              "<TITLE></TITLE>\n"
              "<STYLE type=\"text/css\">P, LI, H1, H2, H3, H4, H5, H6 { margin-top: 0; margin-bottom: 0 }</STYLE>\n"
              "</head>\n<BODY BGCOLOR=\"#12ABef\">\n<P>Hi</P>\n</BODY>\n</HTML>\n");
    // A colour that is not six hexadecimal digits is left out, and UTF-8 is declared as such.
    options.background = "12\"4>6";
    options.outputCodePage = 65001;
    std::string html = irun::rtfToHtml("{\\rtf1 Hi\\par}", options);
    EXPECT_NE(html.find("charset=utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<BODY>\n"), std::string::npos);
}

TEST(Robustness, TruncatedFilesKeepTheirText) {
    EXPECT_EQ(body("{\\rtf1 {\\b abc"), "<P><B>abc</B></P>\n");
    EXPECT_EQ(body("{\\rtf1 abc\\'"), "<P>abc</P>\n");
    EXPECT_EQ(body("{\\rtf1 abc\\'4"), "<P>abc</P>\n");
    EXPECT_EQ(body("{\\rtf1 abc\\u"), "<P>abc</P>\n");
    EXPECT_EQ(body("{\\rtf1 x\\par\\trowd\\cellx100\\intbl a\\cell b"),
              "<P>x</P>\n<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n"
              "<TR><TD VALIGN=\"TOP\"><P>a</P>\n</TD><TD VALIGN=\"TOP\"><P>b</P>\n</TD></TR>\n</TABLE>\n");
    EXPECT_EQ(body(""), "");
    EXPECT_EQ(body("plain text, not RTF"), "<P>plain text, not RTF</P>\n");
}

TEST(Robustness, UnbalancedBraces) {
    EXPECT_EQ(body("}}{\\rtf1 a}}} ignored"), "<P>a</P>\n");
    EXPECT_EQ(body("{\\rtf1 a{\\b b}}}c"), "<P>a<B>b</B></P>\n");
}

TEST(Robustness, DeepNestingKeepsParsing) {
    std::string rtf = "{\\rtf1 a";
    for (int i = 0; i < 5000; ++i) rtf += "{\\i ";
    rtf += "b";
    for (int i = 0; i < 5000; ++i) rtf += "}";
    rtf += "c\\par}";
    EXPECT_EQ(body(rtf), "<P>a<I>b</I>c</P>\n");
    // Down there a skipped destination still ends with its group.
    rtf = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i) rtf += "{";
    rtf += "x{\\*\\unknown gone{{}}}y{\\pict gone}z";
    for (int i = 0; i < 3000; ++i) rtf += "}";
    rtf += "\\par}";
    EXPECT_EQ(body(rtf), "<P>xyz</P>\n");
}

TEST(Robustness, HugeParametersAreClamped) {
    EXPECT_EQ(body("{\\rtf1\\uc2147483647 \\u99999999999 xy\\fs99999999 z\\par}"),
              "<P>y<SPAN STYLE=\"font-size:1638pt\">z</SPAN></P>\n");
    EXPECT_EQ(body("{\\rtf1\\uc3 \\u233 abcd{\\uc-1 \\u233 abcd}\\par}", 65001), "<P>\xC3\xA9" "d\xC3\xA9" "d</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansicpg-5\\deff99999999999 \\'e9\\par}"), "<P>\xE9</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansicpg77777 \\'e9\\par}"), "<P>\xE9</P>\n");
}

TEST(Robustness, OutputGrowsLinearlyWithTheInput) {
    // Constructs with the most output per input byte: empty paragraphs, cells and list levels.
    const std::string pieces[] = {"\\par", "\\cell", "\\nestcell", "\\line", "\\pard\\ls1\\ilvl8 x\\par",
                                  "\\pard\\intbl\\itap32 \\nestrow", "{\\*\\bkmkstart a}", "\\chftn"};
    for (const std::string& piece : pieces) {
        std::string small = "{\\rtf1\\trowd\\cellx1\\cellx2\\cellx3";
        std::string large = small;
        for (int i = 0; i < 1000; ++i) small += piece;
        for (int i = 0; i < 4000; ++i) large += piece;
        size_t a = convert(small + "}").size();
        size_t b = convert(large + "}").size();
        EXPECT_LT(b, a * 5) << piece;
        EXPECT_LT(b, large.size() * 64) << piece;
    }
}

TEST(Robustness, ArbitraryBytesGiveAWholeDocument) {
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>((state >> 16) & 0xFF);
    }
    std::string html = convert("{\\rtf1\\ansicpg932 " + junk);
    EXPECT_EQ(html.rfind("</BODY>\n</HTML>\n"), html.size() - 16);
    EXPECT_EQ(html.find("<!DOCTYPE"), 0u);
}

TEST(Robustness, GroupsAfterTheFirstBelongToTheDocument) {
    // A generator's fragment: paragraphs in groups of their own, with no enclosing group.
    EXPECT_EQ(body("{\\pard One\\par}{\\pard Two\\par}\r\n{\\pard\\b Three\\par}"),
              "<P>One</P>\n<P>Two</P>\n<P><B>Three</B></P>\n");
    // A header group first, then the body, then a table of 22 rows, each row a group.
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\pard \\'cf\\par}";
    std::string rows;
    for (int i = 1; i <= 22; ++i) {
        rtf += "{\\trowd\\cellx1440\\pard\\intbl r" + std::to_string(i) + "\\cell\\row}";
        rows += "<TR><TD WIDTH=\"96\" VALIGN=\"TOP\"><P>r" + std::to_string(i) + "</P>\n</TD></TR>\n";
    }
    EXPECT_EQ(body(rtf + "{\\pard after\\par}"),
              "<P>&#1055;</P>\n<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"2\">\n" + rows +
                  "</TABLE>\n<P>after</P>\n");
    // Text between the groups is no text of the document, and it ends where no group follows.
    EXPECT_EQ(body("{\\rtf1 a}\r\n {\\b b}c{\\i d}"), "<P>a<B>b</B></P>\n");
    EXPECT_EQ(body("{\\rtf1 a}} ignored{\\b b}"), "<P>a</P>\n");
}

}  // namespace
