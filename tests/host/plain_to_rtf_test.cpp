// Plain text as the stand-in renders it to RTF for the plug-in.
#include <gtest/gtest.h>

#include "host/plain_to_rtf.h"

namespace tly {
namespace {

const char kHead[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 ";

TEST(PlainToRtfTest, EscapesSpecialCharactersAndHighBytes) {
  EXPECT_EQ(plainTextToRtf("a\\b{c}d \xe9\xff", 1252, "Tahoma"),
            std::string(kHead) + "a\\\\b\\{c\\}d \\'e9\\'ff\\par\r\n}\r\n");
}

TEST(PlainToRtfTest, EveryKindOfLineBreakEndsOneParagraph) {
  EXPECT_EQ(plainTextToRtf("one\r\ntwo\nthree\rfour\tfive", 1252, "Tahoma"),
            std::string(kHead) + "one\\par\r\ntwo\\par\r\nthree\\par\r\nfour\\tab five\\par\r\n}\r\n");
}

TEST(PlainToRtfTest, EmptyTextIsOneEmptyParagraphInTheGivenCodePage) {
  EXPECT_EQ(plainTextToRtf("", 1251, "Arial"),
            "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs20 \\par\r\n}\r\n");
}

}  // namespace
}  // namespace tly
