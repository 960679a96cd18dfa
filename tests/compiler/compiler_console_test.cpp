// The warnings the build takes from the compiler's console.
#include <gtest/gtest.h>

#include "compiler/compiler_console.h"

namespace t2c {
namespace {

using Lines = std::vector<std::string>;

TEST(CompilerConsole, WarningsOfBothCompilersInOrder) {
  const std::string console =
      "Writing CHM tessaly2chm.chm\r\n"
      "HHC: warning: cannot find file3.htm, compiling without it\r\n"
      "An unhandled exception occurred at $0000000000490CA8:\n"
      "HHC: warning: a help file cannot hold ..\\up.htm, which is outside the project's folder\n"
      "HHC5003: Warning: Compilation failed while compiling Picture_1.bmp.\r\n"
      "  HHC: warning: indented, so quoted by someone else\n"
      "HHC: compiled file C:\\work\\tessaly2chm.chm\n"
      "HHC: warning: last line without an end";
  EXPECT_EQ(compilerWarnings(console),
            (Lines{"HHC: warning: cannot find file3.htm, compiling without it",
                   "HHC: warning: a help file cannot hold ..\\up.htm, which is outside the project's folder",
                   "HHC5003: Warning: Compilation failed while compiling Picture_1.bmp.",
                   "HHC: warning: last line without an end"}));
  EXPECT_EQ(compilerWarnings(""), Lines{});
  EXPECT_EQ(compilerWarnings("HHC: warning"), Lines{});

  std::string many;
  for (int n = 0; n < 5; ++n) many += "HHC: warning: cannot find file" + std::to_string(n) + ".htm\n";
  EXPECT_EQ(compilerWarnings(many, 2), (Lines{"HHC: warning: cannot find file0.htm",
                                              "HHC: warning: cannot find file1.htm", "HHC: 3 more warnings"}));
}

// Progress lines as they come, in pieces cut anywhere; the warnings kept for the end.
TEST(CompilerConsole, ProgressLinesAsTheyCome) {
  Lines progress;
  CompilerConsole console([](const char* line, void* lines) { static_cast<Lines*>(lines)->push_back(line); }, &progress);
  for (const std::string piece : {"Compiling C:\\tess", "aly.chm\r\n\r\nfile0.htm\r\nHHC: warning: no file1.htm\r", "\nCreated"})
    console.Feed(piece.data(), piece.size());
  console.Finish();
  EXPECT_EQ(progress, (Lines{"Compiling C:\\tessaly.chm", "file0.htm", "Created"}));
  EXPECT_EQ(console.Warnings(), Lines{"HHC: warning: no file1.htm"});
}

}  // namespace
}  // namespace t2c
