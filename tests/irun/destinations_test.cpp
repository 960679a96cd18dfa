// Destinations: what is skipped (unknown \* groups, pictures, headers, \bin data) and what is kept.
#include <gtest/gtest.h>

#include "convert_helper.h"

using irun_test::body;
using irun_test::doc;

namespace {

TEST(Destinations, UnknownStarredGroupsAreSkipped) {
    EXPECT_EQ(body(doc("a{\\*\\unknownthing hidden {\\b more} text}b{\\*\\generator Writer;}c\\par")),
              "<P>abc</P>\n");
    // Unknown words without \* are ignored, their group's text kept.
    EXPECT_EQ(body(doc("a{\\unknownword kept}b\\par")), "<P>akeptb</P>\n");
}

TEST(Destinations, KnownDestinationsThatNeverShow) {
    EXPECT_EQ(body(doc("{\\header head\\par}{\\footer foot\\par}{\\pict\\pngblip 89504e47}"
                       "{\\*\\themedata 504b}{\\info{\\author me}{\\company us}}a{\\xe index}\\par")),
              "<P>a</P>\n");
}

TEST(Destinations, BinaryDataInsideAndOutsideSkippedGroups) {
    // The binary bytes contain braces and backslashes that must not be read as RTF.
    std::string data = "}}{\\par x\\";
    EXPECT_EQ(body(doc("a{\\pict\\bin" + std::to_string(data.size()) + " " + data + "}b\\bin3 {}\\c\\par")),
              "<P>abc</P>\n");
    EXPECT_EQ(body(doc("a{\\*\\unknown\\bin4 {{{{}b\\par")), "<P>ab</P>\n");
}

TEST(Destinations, TitleComesFromInfo) {
    std::string html = irun_test::convert("{\\rtf1{\\info{\\title A <b> & \\'e9}{\\author x}}text\\par}");
    EXPECT_NE(html.find("<TITLE>A &lt;b&gt; &amp; \xE9</TITLE>"), std::string::npos) << html;
}

TEST(Destinations, ShapeTextIsKeptAndShapeResultsDropped) {
    EXPECT_EQ(body(doc("{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn fillColor}{\\sv 255}}"
                       "{\\shptxt \\pard box text\\par}}{\\shprslt{\\*\\do fallback}}}after\\par")),
              "<P>box text</P>\n<P>after</P>\n");
}

TEST(Destinations, ObjectResultsAndNoNestTables) {
    EXPECT_EQ(body(doc("{\\object\\objemb{\\*\\objclass Excel}{\\*\\objdata 0102}{\\result shown}}"
                       "{\\nonesttables not shown}\\par")),
              "<P>shown</P>\n");
}

}  // namespace
