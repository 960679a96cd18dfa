// Where the converter library is looked for, and how its output lines come back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/converter_rules.h"

namespace t2c {
namespace {

using Paths = std::vector<std::string>;

TEST(ConverterLibraryCandidatesTest, EmptyPlaceTriesOnlyTheBareName) {
  EXPECT_EQ(converterLibraryCandidates("", "irun.dll"), Paths{"irun.dll"});
}

TEST(ConverterLibraryCandidatesTest, FolderGetsOneBackslashBeforeTheName) {
  EXPECT_EQ(converterLibraryCandidates("C:\\Tessaly\\Plugins", "irun.dll"),
            (Paths{"C:\\Tessaly\\Plugins\\irun.dll", "C:\\Tessaly\\Plugins", "irun.dll"}));
  EXPECT_EQ(converterLibraryCandidates("C:\\Tessaly\\Plugins\\", "irun.dll"),
            (Paths{"C:\\Tessaly\\Plugins\\irun.dll", "C:\\Tessaly\\Plugins\\", "irun.dll"}));
}

TEST(ConverterLibraryCandidatesTest, FullLibraryPathComesSecond) {
  EXPECT_EQ(converterLibraryCandidates("D:\\conv\\other.dll", "irun.dll"),
            (Paths{"D:\\conv\\other.dll\\irun.dll", "D:\\conv\\other.dll", "irun.dll"}));
}

TEST(ConverterCallFailureTest, OnlyAWrittenFileAfterANonZeroResultIsRead) {
  EXPECT_EQ(converterCallFailure(true, true), nullptr);
  EXPECT_STREQ(converterCallFailure(false, true), "Bad call on EXRTF2WEB");
  EXPECT_STREQ(converterCallFailure(true, false), "Cannot read from buffer file");
  EXPECT_STREQ(converterCallFailure(false, false), "Cannot read from buffer file");
}

TEST(LinesEndingInCrLfTest, EveryLineEndsInCrLf) {
  EXPECT_EQ(linesEndingInCrLf("<html>\r\n<body>\nx\r\n"), "<html>\r\n<body>\r\nx\r\n");
}

TEST(LinesEndingInCrLfTest, LastLineWithoutEndGetsOne) {
  EXPECT_EQ(linesEndingInCrLf("a\r\nb"), "a\r\nb\r\n");
  EXPECT_EQ(linesEndingInCrLf("only"), "only\r\n");
}

TEST(LinesEndingInCrLfTest, EmptyOutputStaysEmptyAndEmptyLinesStay) {
  EXPECT_EQ(linesEndingInCrLf(""), "");
  EXPECT_EQ(linesEndingInCrLf("\n\r\n"), "\r\n\r\n");
}

TEST(LinesEndingInCrLfTest, LoneCarriageReturnsAreText) {
  EXPECT_EQ(linesEndingInCrLf("a\rb\r\r\nc\r"), "a\rb\r\r\nc\r\r\n");
}

}  // namespace
}  // namespace t2c
