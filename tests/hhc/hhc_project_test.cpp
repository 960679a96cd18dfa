// HHC.exe's reading of project files as the plug-in writes them, and its verdict on chmcmd runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hhc/hhc_project.h"

namespace hhc {
namespace {

const std::string kProject =
    "[OPTIONS]\r\nBinary Index=Yes\r\nCompiled file=tessaly2chm.chm\r\nContents file=content.hhc\r\n"
    "Title=Notes [files=3]\r\n\r\n[FILES]\r\nfile0.htm\r\n  file1.txt \r\n; a comment\r\nfile2.\r\n"
    "Picture_1.bmp\r\n\r\n[INFOTYPES]\r\nCategory:New\r\nCategoryDesc: ";

using Names = std::vector<std::string>;

TEST(HhcProjectTest, CompiledFileAndListedFiles) {
  EXPECT_EQ(compiledFileName(kProject), "tessaly2chm.chm");
  EXPECT_EQ(compiledFileName("[files]\nCompiled file=no.chm\n[options]\n compiled FILE = yes.chm \n"), "yes.chm");
  EXPECT_EQ(compiledFileName("[FILES]\nfile0.htm"), "");
  EXPECT_EQ(listedFiles(kProject), (Names{"file0.htm", "file1.txt", "file2.", "Picture_1.bmp"}));
  EXPECT_EQ(listedFiles("[options]\nfile0.htm\n[files]\nfile1.htm"), Names{"file1.htm"});
}

TEST(HhcProjectTest, ProjectWithoutSomeFilesKeepsEveryOtherByte) {
  EXPECT_EQ(projectWithout(kProject, {"file1.txt", "Picture_1.bmp", "content.hhc"}),
            "[OPTIONS]\r\nBinary Index=Yes\r\nCompiled file=tessaly2chm.chm\r\nContents file=content.hhc\r\n"
            "Title=Notes [files=3]\r\n\r\n[FILES]\r\nfile0.htm\r\n; a comment\r\nfile2.\r\n"
            "\r\n[INFOTYPES]\r\nCategory:New\r\nCategoryDesc: ");
  EXPECT_EQ(projectWithout(kProject, {}), kProject);
  EXPECT_EQ(projectWithout("[FILES]\nlast.htm", {"last.htm"}), "[FILES]\n");
}

TEST(HhcProjectTest, SearchIndexAndCompilingAgainWithoutIt) {
  const std::string searched =
      "[OPTIONS]\r\nCompiled file=t.chm\r\n full-TEXT search = yes \r\nTitle=Full-text search=Yes\r\n"
      "\r\n[FILES]\r\nFull-text search=Yes\r\n";
  EXPECT_TRUE(fullTextSearch(searched));
  EXPECT_EQ(projectWithoutSearch(searched),
            "[OPTIONS]\r\nCompiled file=t.chm\r\nFull-text search=No\r\nTitle=Full-text search=Yes\r\n"
            "\r\n[FILES]\r\nFull-text search=Yes\r\n");
  EXPECT_FALSE(fullTextSearch(projectWithoutSearch(searched)));
  EXPECT_FALSE(fullTextSearch(kProject));
  EXPECT_FALSE(fullTextSearch("[FILES]\nFull-text search=Yes\n"));
  EXPECT_EQ(projectWithoutSearch(kProject), kProject);

  ChmcmdRun run;
  run.ran = true;
  run.status = 217;
  EXPECT_TRUE(crashed(run, ""));
  run.status = 1;
  EXPECT_TRUE(crashed(run, "Writing CHM t.chm\nAn unhandled exception occurred at $0000000000490CA8:\n"
                           "EAccessViolation: Access violation\n"));
  EXPECT_FALSE(crashed(run, "Error: cannot open file\n"));
  run.ran = false;
  EXPECT_FALSE(crashed(run, "An unhandled exception occurred"));
}

TEST(HhcProjectTest, VerdictOnChmcmdRuns) {
  struct Case {
    ChmcmdRun run;
    bool compiled;
    std::string reason;
  };
  const Case cases[] = {
      {{true, 0, false, 1200}, true, ""},
      {{true, 3, false, 1200}, false, "chmcmd ended with exit code 3"},
      {{true, 217, true, -1}, false, "chmcmd ended with exit code 217"},
      {{true, 0, true, 1200}, false, "chmcmd reported an error"},
      {{true, 0, false, 0}, false, "chmcmd left an empty compiled file"},
      {{true, 0, false, -1}, false, "chmcmd left no compiled file"},
      {{false, -1, false, 1200}, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compiled(c.run), c.compiled) << c.reason;
    EXPECT_EQ(failureReason(c.run), c.reason);
  }
  EXPECT_TRUE(reportsFailure("Error: Can't find TOC file /w/content.hhc"));
  EXPECT_TRUE(reportsFailure("Can't find project file /w/project.hhp"));
  EXPECT_FALSE(reportsFailure("Warning: File file9.htm does not exist"));
  EXPECT_FALSE(reportsFailure(" Error: indented"));
}

}  // namespace
}  // namespace hhc
