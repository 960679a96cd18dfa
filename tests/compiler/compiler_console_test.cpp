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
      "HHC: warning: chmcmd crashed while making the full-text search index\n"
      "HHC5003: Warning: Compilation failed while compiling Picture_1.bmp.\r\n"
      "  HHC: warning: indented, so quoted by someone else\n"
      "HHC: compiled file C:\\work\\tessaly2chm.chm\n"
      "HHC: warning: last line without an end";
  EXPECT_EQ(compilerWarnings(console),
            (Lines{"HHC: warning: cannot find file3.htm, compiling without it",
                   "HHC: warning: chmcmd crashed while making the full-text search index",
                   "HHC5003: Warning: Compilation failed while compiling Picture_1.bmp.",
                   "HHC: warning: last line without an end"}));
  EXPECT_EQ(compilerWarnings(""), Lines{});
  EXPECT_EQ(compilerWarnings("HHC: warning"), Lines{});

  std::string many;
  for (int n = 0; n < 5; ++n) many += "HHC: warning: cannot find file" + std::to_string(n) + ".htm\n";
  EXPECT_EQ(compilerWarnings(many, 2), (Lines{"HHC: warning: cannot find file0.htm",
                                              "HHC: warning: cannot find file1.htm", "HHC: 3 more warnings"}));
}

void collect(const char* line, void* lines) { static_cast<Lines*>(lines)->push_back(line); }

// The console as it comes through the pipe, cut anywhere, even between "\r" and "\n".
TEST(CompilerConsole, ProgressLinesAsTheyComeAndWarningsKept) {
  Lines progress;
  CompilerConsole console(collect, &progress, 1);
  for (const char* piece : {"Microsoft HTML Help Compiler 4.74.8702\r\n\r\nCompiling C:\\work\\tess",
                            "aly2chm.chm\r", "\n\r\nfile0.htm\r\nHHC: warning: cannot find file1.htm\r\nfi",
                            "le2.htm\r\nHHC: warning: cannot find file3.htm\r\n   \r\n", "Created c:\\work\\tessaly2chm.chm"}) {
    console.Feed(piece, std::string(piece).size());
    progress.push_back("|");
  }
  console.Finish();
  EXPECT_EQ(progress, (Lines{"Microsoft HTML Help Compiler 4.74.8702", "|", "|", "Compiling C:\\work\\tessaly2chm.chm",
                             "file0.htm", "|", "file2.htm", "|", "|", "Created c:\\work\\tessaly2chm.chm"}));
  EXPECT_EQ(console.Warnings(), (Lines{"HHC: warning: cannot find file1.htm", "HHC: 1 more warnings"}));
}

}  // namespace
}  // namespace t2c
