// The compiler's runs on project trees in a temporary folder: console, exit code, what is left in
// the folder, and the help file as the readers read it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "chm/compile_job.h"
#include "hhc/posix_folder.h"
#include "support/chm_readers.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct RecordingConsole : chm::Console {
  void line(const std::string& text) override { lines.push_back(text); }
  Lines lines;
};

class CompileJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/compile job XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }

  void put(const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::path(root + "/" + name).parent_path());
    std::ofstream(root + "/" + name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream in(root + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Runs the compiler; the clock says 75 seconds have passed at the end. The help file's size in
  // the last two lines becomes "#" once checked against the file.
  int compile(const std::string& project = "project.hhp") {
    hhc::PosixFolder folder(root + "/" + project);
    int ticks = 0;
    chm::CompileSettings settings;
    settings.clock = [&ticks] { return ticks++ ? 75.4 : 0.0; };
    console = RecordingConsole();
    const int code = chm::compileHelpProject(folder, console, settings);
    for (std::string& line : console.lines) {
      std::smatch match;
      if (std::regex_match(line, match, std::regex("(Created (.*), )([0-9,]+)( bytes)"))) {
        EXPECT_EQ(std::regex_replace(match[3].str(), std::regex(","), ""), std::to_string(fs::file_size(match[2].str())));
        line = match[1].str() + "#" + match[4].str();
      }
      line = std::regex_replace(line, std::regex("^(Compression (in|de)creased file by )[0-9,]+"), "$1#");
    }
    return code;
  }
  std::set<std::string> left() {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) names.insert(entry.path().string().substr(root.size() + 1));
    return names;
  }

  std::string root;
  RecordingConsole console;
};

const char kProject[] =
    "[OPTIONS]\r\nCompiled file=tessaly2chm.chm\r\nDisplay compile progress=Yes\r\nContents file=content.hhc\r\n"
    "Default topic=file0.htm\r\nLanguage=0x419 Russian\r\nTitle=Notes\r\n\r\n[FILES]\r\nfile0.htm\r\nfile1.\r\n"
    "Pictures\\PICTURE_1.BMP\r\nsub\\deeper\\page.html\r\nmissing.htm\r\nsub\r\n..\\outside.htm\r\n\r\n"
    "[INFOTYPES]\r\nCategory:New\r\nCategoryDesc: ";

TEST_F(CompileJobTest, CompilesWhatItFindsAndWarnsOfTheRest) {
  put("project.hhp", kProject);
  put("content.hhc", "<HTML><BODY><UL><LI> <OBJECT type=\"text/sitemap\"></OBJECT></UL></BODY></HTML>");
  put("file0.htm", "<a href=\"file1.\">x</a><A HREF = 'http://www.tessaly.example'>web</A><a\nhref=sub/deeper/page.html>");
  put("file1", "plain text\r\n");
  put("pictures/Picture_1.bmp", std::string(3000, 'B'));
  put("sub/deeper/page.html", "<p>deep</p>");
  put("tessaly2chm.chm", "an earlier help file");
  ASSERT_EQ(compile(), 1);
  const std::string made = root + "/tessaly2chm.chm";
  EXPECT_EQ(console.lines,
            (Lines{"Tessaly2CHM HTML Help Compiler 1.0", "", "Compiling " + made, "", "content.hhc", "file0.htm",
                   "file1.", "Pictures\\PICTURE_1.BMP", "sub\\deeper\\page.html",
                   "HHC: warning: cannot find missing.htm, compiling without it",
                   "HHC: warning: cannot find sub, compiling without it",
                   "HHC: warning: a help file cannot hold ..\\outside.htm, which is outside the project's folder; "
                   "compiling without it",
                   "", "Compile time: 1 minute, 15 seconds", "2\tTopics", "2\tLocal links", "1\tInternet link",
                   "1\tGraphic", "", "Created " + made + ", # bytes", "Compression increased file by # bytes."}));
  EXPECT_EQ(left(), (std::set<std::string>{"content.hhc", "file0.htm", "file1", "pictures", "pictures/Picture_1.bmp",
                                           "project.hhp", "sub", "sub/deeper", "sub/deeper/page.html", "tessaly2chm.chm"}));
  chmtest::expectEveryReaderReadsBack(made, {{"/content.hhc", read("content.hhc")}, {"/file0.htm", read("file0.htm")},
      {"/file1.", read("file1")}, {"/Pictures/PICTURE_1.BMP", read("pictures/Picture_1.bmp")},
      {"/sub/deeper/page.html", read("sub/deeper/page.html")}});
}

// Nothing to read or nowhere to write: an error line, exit code 0, and no help file at all.
TEST_F(CompileJobTest, FailsWithoutLeavingAHelpFile) {
  const std::string banner = "Tessaly2CHM HTML Help Compiler 1.0", stopped = "HHC: compilation stopped; no help file was made.";
  EXPECT_EQ(compile(), 0);
  EXPECT_EQ(console.lines, (Lines{banner, "", "HHC: error: cannot find the project file " + root + "/project.hhp"}));

  put("project.hhp", kProject);
  put("tessaly2chm.chm", "an earlier help file");
  EXPECT_EQ(compile(), 0);
  EXPECT_EQ(console.lines, (Lines{banner, "", "Compiling " + root + "/tessaly2chm.chm", "",
                                  "HHC: error: cannot find the contents file " + root + "/content.hhc", stopped}));
  EXPECT_EQ(left(), std::set<std::string>{"project.hhp"});

  put("other.hhp", "[OPTIONS]\nCompiled file=gone/out.chm\n[FILES]\nproject.hhp\n");
  EXPECT_EQ(compile("other.hhp"), 0);
  EXPECT_EQ(console.lines, (Lines{banner, "", "Compiling " + root + "/gone/out.chm", "",
                                  "HHC: error: cannot write " + root + "/gone/out.chm: No such file or directory", stopped}));
  EXPECT_EQ(left(), (std::set<std::string>{"other.hhp", "project.hhp"}));
  put("other.hhp", "[OPTIONS]\nCompiled file=Project.HHP\n[FILES]\nproject.hhp\n");
  EXPECT_EQ(compile("other.hhp"), 0);
  EXPECT_EQ(console.lines[4], "HHC: error: the compiled file would replace project.hhp");
  EXPECT_EQ(read("project.hhp"), kProject);
}

}  // namespace
