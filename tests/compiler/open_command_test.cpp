// Registered command lines cut down to the program they start.
#include <gtest/gtest.h>

#include <set>

#include "compiler/open_command.h"

namespace t2c {
namespace {

FileExists filesAre(std::set<std::string> files) {
  return [files](const std::string& path) { return files.count(path) > 0; };
}

TEST(OpenCommandTest, QuotesAndThePlaceholderGo) {
  EXPECT_EQ(programOfCommand("\"C:\\windows\\hh.exe\" \"%1\"", filesAre({"C:\\windows\\hh.exe"})),
            "C:\\windows\\hh.exe");
}

TEST(OpenCommandTest, ProgramWithBlanksKeepsThemAndLosesItsArguments) {
  EXPECT_EQ(programOfCommand("C:\\Program Files\\Help Viewer\\view.exe -open %1",
                             filesAre({"C:\\Program Files\\Help Viewer\\view.exe"})),
            "C:\\Program Files\\Help Viewer\\view.exe");
}

TEST(OpenCommandTest, TheLongestExistingLeadingPartWins) {
  EXPECT_EQ(programOfCommand("C:\\a\\b c %1", filesAre({"C:\\a\\b", "C:\\a\\b c"})), "C:\\a\\b c");
}

TEST(OpenCommandTest, MissingProgramOrEmptyCommandGivesNothing) {
  EXPECT_EQ(programOfCommand("\"C:\\gone\\hh.exe\" %1", filesAre({})), "");
  EXPECT_EQ(programOfCommand("", filesAre({""})), "");
}

TEST(OpenCommandTest, SurroundingWhiteSpaceIsTrimmed) {
  EXPECT_EQ(programOfCommand("  C:\\hh.exe \t%1", filesAre({"  C:\\hh.exe"})), "C:\\hh.exe");
}

}  // namespace
}  // namespace t2c
