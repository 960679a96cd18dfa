// Decoding: code pages from the header, fonts and \cpg; \u with its skip rules; output encodings.
#include <gtest/gtest.h>

#include "convert_helper.h"

using irun_test::body;

namespace {

TEST(Decoding, AnsiCodePageOfTheDocument) {
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\par}", 65001), "<P>\xD0\x9F\xD1\x80\xD0\xB8</P>\n");
    // 1252 output has no Cyrillic: numeric references instead.
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e8\\par}"), "<P>&#1055;&#1080;</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'e8\\par}", 1251), "<P>\xCF\xE8</P>\n");
}

TEST(Decoding, FontCharsetAndCodePageOverrideTheDocument) {
    const char* fonts = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times;}{\\f1\\fcharset161 Greek;}{\\f2\\cpg1251 Cyr;}}";
    EXPECT_EQ(body(std::string(fonts) + "\\'e1{\\f1\\'e1}{\\f2\\'e1}\\'e1\\par}", 65001),
              "<P>\xC3\xA1<SPAN STYLE=\"font-family:'Greek'\">\xCE\xB1</SPAN>"
              "<SPAN STYLE=\"font-family:'Cyr'\">\xD0\xB1</SPAN>\xC3\xA1</P>\n");
}

TEST(Decoding, DefaultFontDecidesTheCodePage) {
    EXPECT_EQ(body("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\'e1\\par}", 65001),
              "<P>\xD0\xB1</P>\n");
}

TEST(Decoding, DoubleByteCodePages) {
    // Shift-JIS: hex pairs, and raw pairs whose trail byte is a backslash or a brace.
    std::string head = "{\\rtf1\\ansi\\ansicpg932 ";
    EXPECT_EQ(body(head + "\\'82\\'a0\\'83\\'5c\\par}", 65001), "<P>\xE3\x81\x82\xE3\x82\xBD</P>\n");
    EXPECT_EQ(body(head + "\x83\\\x83{\\par}", 65001), "<P>\xE3\x82\xBD\xE3\x83\x9C</P>\n");
    // A hex lead byte pairs with an escaped backslash or brace as its trail byte.
    EXPECT_EQ(body(head + "\\'83\\\\\\'83\\{\\par}", 65001), "<P>\xE3\x82\xBD\xE3\x83\x9C</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4\\par}", 65001), "<P>\xE4\xB8\xAD\xE6\x96\x87</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1\\par}", 65001), "<P>\xED\x95\x9C</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4\\par}", 65001), "<P>\xE4\xB8\xAD</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'82\\'a0\\par}"),
              "<P><SPAN STYLE=\"font-family:'MS Mincho'\">&#12354;</SPAN></P>\n");
}

TEST(Decoding, DoubleByteOutputCodePage) {
    std::string html = irun_test::convert("{\\rtf1 \\u12354?\\u8364?\\u233?\\par}", 932);
    EXPECT_NE(html.find("charset=shift_jis\">"), std::string::npos);
    EXPECT_NE(html.find("<P>\x82\xA0&#8364;&#233;</P>"), std::string::npos) << html;
}

TEST(Decoding, UnicodeWordsAndTheirFallbacks) {
    EXPECT_EQ(body("{\\rtf1 \\u8364?\\u-4064?x\\par}"), "<P>\x80&#61472;x</P>\n");
    // \uc2 skips two fallback bytes; hex escapes count as one each.
    EXPECT_EQ(body("{\\rtf1\\uc2 \\u20013\\'d6\\'d0x\\par}", 65001), "<P>\xE4\xB8\xADx</P>\n");
    // The skip count is scoped to its group.
    EXPECT_EQ(body("{\\rtf1 {\\uc0 \\u233 a}\\u233 bc\\par}", 65001), "<P>\xC3\xA9" "a\xC3\xA9" "c</P>\n");
    // A group end stops the skipping.
    EXPECT_EQ(body("{\\rtf1\\uc3 {\\u233 a}bc\\par}", 65001), "<P>\xC3\xA9" "bc</P>\n");
    // Values above 32767 written unsigned work as well.
    EXPECT_EQ(body("{\\rtf1 \\u40960?\\par}", 65001), "<P>\xEA\x80\x80</P>\n");
}

TEST(Decoding, SurrogatePairsAndLoneHalves) {
    EXPECT_EQ(body("{\\rtf1 \\u-10179?\\u-8704?\\par}", 65001), "<P>\xF0\x9F\x98\x80</P>\n");
    EXPECT_EQ(body("{\\rtf1 \\u-10179?\\u-10179?\\par}"), "<P>&#65533;&#65533;</P>\n");
    EXPECT_EQ(body("{\\rtf1 \\u-8704?a\\par}"), "<P>&#65533;a</P>\n");
    EXPECT_EQ(body("{\\rtf1 \\u-10179?a\\par}"), "<P>&#65533;a</P>\n");
}

TEST(Decoding, UprKeepsOnlyTheUnicodeVersion) {
    EXPECT_EQ(body("{\\rtf1 {\\upr{ansi text}{\\*\\ud{\\u269?unicode}}}\\par}", 65001),
              "<P>\xC4\x8Dunicode</P>\n");
}

TEST(Decoding, OutputEscapingAndControlCharacters) {
    // Control characters are invisible: dropped, including the C1 ones and the bytes 1252 leaves
    // undefined; noncharacters become U+FFFD.
    EXPECT_EQ(body("{\\rtf1 a<b>&c\\'01\\'7f\\'81\\'80\\u128?\\u159?\\u65535?\x7f\x01\\par}"),
              "<P>a&lt;b&gt;&amp;c\x80&#65533;</P>\n");
}

TEST(Decoding, SymbolFontMapsToUnicode) {
    EXPECT_EQ(body("{\\rtf1{\\fonttbl{\\f0 Times;}{\\f3\\fcharset2 Symbol;}}{\\f3 ab\\'b7}\\par}", 65001),
              "<P><SPAN STYLE=\"font-family:'Symbol'\">\xCE\xB1\xCE\xB2\xE2\x80\xA2</SPAN></P>\n");
}

TEST(Decoding, MacCodePages) {
    // Mac TextEdit: the document code page is Mac Japanese, the font names no character set.
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg10001\\cocoartf102\\deff0{\\fonttbl\\f0\\fnil Osaka;}\\f0\\fs24 "
                   "\\'82\\'a8\\'93\\'c7\\'82\\'dd\\'82\\'ad\\'82\\'be\\'82\\'b3\\'82\\'a2}", 65001),
              "<P>\xE3\x81\x8A\xE8\xAA\xAD\xE3\x81\xBF\xE3\x81\x8F\xE3\x81\xA0\xE3\x81\x95\xE3\x81\x84</P>\n");
    // Word for Mac: \mac with Mac Roman, and runs in the Mac character sets of the font table.
    EXPECT_EQ(body("{\\rtf1\\mac\\ansicpg10000\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fnil\\fcharset78 Osaka;}"
                   "{\\f2\\fnil\\fcharset79 AppleGothic;}{\\f3\\fnil\\fcharset80 STSong;}{\\f4\\fnil\\fcharset81 LiSong;}"
                   "{\\f5\\fnil\\fcharset89 Cyr;}{\\f6\\fnil\\fcharset88 CE;}{\\f7\\fnil\\fcharset77 Roman;}}"
                   "\\'8e\\'9f{\\f1 \\'82\\'a0}{\\f2 \\'c7\\'d1}{\\f3 \\'d6\\'d0}{\\f4 \\'a4\\'a4}{\\f5 \\'80\\'e0}"
                   "{\\f6 \\'81}{\\f7 \\'a5}\\par}", 65001),
              "<P>\xC3\xA9\xC3\xBC"
              "<SPAN STYLE=\"font-family:'Osaka'\">\xE3\x81\x82</SPAN>"
              "<SPAN STYLE=\"font-family:'AppleGothic'\">\xED\x95\x9C</SPAN>"
              "<SPAN STYLE=\"font-family:'STSong'\">\xE4\xB8\xAD</SPAN>"
              "<SPAN STYLE=\"font-family:'LiSong'\">\xE4\xB8\xAD</SPAN>"
              "<SPAN STYLE=\"font-family:'Cyr'\">\xD0\x90\xD0\xB0</SPAN>"
              "<SPAN STYLE=\"font-family:'CE'\">\xC4\x80</SPAN>"
              "<SPAN STYLE=\"font-family:'Roman'\">\xE2\x80\xA2</SPAN></P>\n");
    // \mac alone sets Mac Roman; a raw trail byte of Mac Japanese may be a backslash.
    EXPECT_EQ(body("{\\rtf1\\mac \\'8e\\'a5\\par}", 65001), "<P>\xC3\xA9\xE2\x80\xA2</P>\n");
    EXPECT_EQ(body("{\\rtf1\\ansi\\ansicpg10001 \x83\\\x83{\\par}", 65001), "<P>\xE3\x82\xBD\xE3\x83\x9C</P>\n");
}

}  // namespace
