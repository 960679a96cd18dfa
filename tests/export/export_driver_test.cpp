// Whole builds through the export driver with the real compiler stand-in and converter library.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "support/log_lines.h"
#include "support/tree_fixture.h"
#include "convert/html_passes.h"
#include "export/export_driver_win.h"
#include "project/file_output_win.h"
#include "project/work_folder_win.h"
#include "viewer_registration.h"
#include "support/windows_path.h"

namespace t2c {
namespace {

// The title and text of the sample for the system's code page, from the samples the page
// checks share; false when there is none.
bool systemSample(std::wstring& title, std::wstring& text) {
  std::ifstream samples(T2C_CHARSET_SAMPLES, std::ios::binary);
  auto wide = [](const std::string& utf8) {
    std::wstring out(utf8.size(), L'\0');
    out.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0],
                                   static_cast<int>(out.size())));
    return out;
  };
  for (std::string line; std::getline(samples, line);) {
    const size_t first = line.find('\t');
    const size_t second = line.find('\t', first + 1);
    if (second == std::string::npos || line.substr(0, first) != std::to_string(GetACP())) continue;
    title = wide(line.substr(first + 1, second - first - 1));
    text = wide(line.substr(second + 1));
    return true;
  }
  return false;
}

std::string ansi(const std::wstring& text) {
  std::string out(text.size() * 2, '\0');
  out.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// RTF text as a host writes it: each character outside ASCII as its code page's bytes, all of
// them escaped, the trail byte of a two-byte character too.
std::string rtfText(const std::wstring& text) {
  std::string rtf;
  for (wchar_t c : text) {
    const std::string bytes = ansi(std::wstring(1, c));
    if (bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) < 0x80) {
      rtf += bytes;
      continue;
    }
    for (unsigned char b : bytes) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\'%02x", b);
      rtf += escape;
    }
  }
  return rtf;
}

void writeText(const std::string& path, const std::string& text) { ASSERT_TRUE(writeWholeFile(path, text)); }

std::string readText(const std::string& path) {
  std::string text;
  return readWholeFile(path, text) ? text : "(unreadable)";
}

std::string currentDirectory() {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

class ExportDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Add(1, 0, kContainer, "Handbook");
    f.Add(2, 1, kPlainText, "Welcome").text = "Hello & welcome\r\nSecond line";
    f.Add(3, 1, kRichText, "Formatted").text = "{\\rtf1\\ansi Some {\\b bold} text.\\par}";
    f.Add(4, 1, kHtml, "Web page").text = "<html><body><p>Page</p></body></html>";
    f.Add(5, 1, kWebArchive, "Archive").text = "MIME-Version: 1.0\r\n\r\narchive";
    f.Add(6, 1, kSecondContainer, "Chapter");
    f.Add(7, 6, kPlainText, "Left out").excluded = 1;
    f.Add(8, 6, kPlainText, "Notes").text = "plain notes";
    f.Fill();

    job.title = "Handbook";
    job.description = "The file created by Tessaly & Tessaly2CHM plugin 2.21 - http://www.tessaly.example";
    collectLog(job, log);
    job.firstArticleId = 4;
    job.compilerPath = windowsPath(T2C_HHC);
    job.converterPlace = windowsPath(T2C_IRUN);
    job.rtfLinkTemplate = "<HTML><BODY>%RTF_HEADER% <A HREF=\"%RTF_FILE%\">%RTF_HEADER%</A></BODY></HTML>";

    workFolder = makeWorkFolder();
    ASSERT_FALSE(workFolder.empty());
    destination = tempFolder() + "t2c export test\\Handbook.chm";
    CreateDirectoryA((tempFolder() + "t2c export test").c_str(), nullptr);
    DeleteFileA(destination.c_str());
    directoryBefore = currentDirectory();
  }

  void TearDown() override {
    closeFakeViewers();
    removeWorkFolder(workFolder);
    removeWorkFolder(tempFolder() + "t2c export test");
    EXPECT_EQ(currentDirectory(), directoryBefore);
  }

  bool Build(const std::string& language = "0x407 Deutsch") {
    HWND viewer = nullptr;
    return runExport(f.tree, destination, job, workFolder, viewer, language);
  }

  // Copies the result where the read-back script looks for it, when it asks.
  void Keep(const std::string& name) {
    char keep[MAX_PATH] = "";
    if (GetEnvironmentVariableA("T2C_KEEP_DIR", keep, MAX_PATH))
      CopyFileA(destination.c_str(), (std::string(keep) + "\\" + name).c_str(), FALSE);
  }

  std::vector<std::string> ExpectedLog(const std::vector<std::string>& articleLines, bool delivered,
                                       const std::string& compiler,
                                       const std::vector<std::string>& warnings = {}) {
    std::vector<std::string> lines = {"Convert nodes headers to filenames\x85", "Write data to files\x85"};
    lines.insert(lines.end(), articleLines.begin(), articleLines.end());
    lines.push_back("Make content file\x85");
    lines.push_back("Start HTML Help compiler at " + compiler + "\x85");
    lines.push_back("");  // the completion line, compared on its own
    lines.insert(lines.end(), warnings.begin(), warnings.end());
    if (delivered) {
      lines.push_back("Start HTML Help with Handbook.chm");
      lines.push_back("Export to Handbook.chm successfully complete [" +
                      formatByteSize(fileSize(destination)) + "]");
    }
    return lines;
  }

  // The log without the compiler's progress lines.
  std::vector<std::string> BuildLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
      const bool compiling = !lines.empty() && lines.back().rfind("Start HTML Help compiler at ", 0) == 0;
      if (!compiling || line.rfind("Complete HTML Help complier ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  void ExpectLog(const std::vector<std::string>& expected, const std::string& completionStart) {
    const std::vector<std::string> lines = BuildLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      if (expected[i].empty()) {
        EXPECT_EQ(lines[i].rfind(completionStart, 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find(", timeout "), std::string::npos) << lines[i];
      } else {
        EXPECT_EQ(lines[i], expected[i]) << i;
      }
    }
  }

  TreeFixture f;
  ExportJob job;
  LogLines log;
  std::string workFolder, destination, directoryBefore;
  Registration viewer{".chm", "\"" + fakeViewer() + "\" %1"};
};

TEST_F(ExportDriverTest, ConvertedBuildWithSearchReachesTheDestination) {
  job.plainTextAsHtml = true;
  job.fullTextSearch = true;
  ASSERT_TRUE(Build());
  EXPECT_TRUE(isExistingFile(destination));
  EXPECT_FALSE(isExistingFile(workFolder + "\\tessaly2chm.chm"));
  ExpectLog(ExpectedLog({"Convert to HTML Welcome\x85", "Convert to HTML Formatted\x85",
                         "Convert to HTML Notes\x85"},
                        true, job.compilerPath),
            "Complete HTML Help complier with exit code 1, timeout ");
  Keep("converted.chm");
}

// A page of dates only, with full-text search: once the end of an earlier compiler (its indexer
// crashed on it); the help file comes with search and without warnings.
TEST_F(ExportDriverTest, PageOfDatesWithSearchCompilesCleanly) {
  TreeFixture dates;
  dates.Add(1, 0, kHtml, "Dates").text =
      "<HTML><HEAD><TITLE></TITLE></HEAD><BODY BGCOLOR=\"#FFFFFF\"><P>12.11</P></BODY></HTML>";
  dates.Fill();
  job.fullTextSearch = true;
  HWND viewerWindow = nullptr;
  ASSERT_TRUE(runExport(dates.tree, destination, job, workFolder, viewerWindow, "0x407 Deutsch"));
  EXPECT_TRUE(isExistingFile(destination));
  ExpectLog(ExpectedLog({}, true, job.compilerPath), "Complete HTML Help complier with exit code 1, timeout ");
}

TEST_F(ExportDriverTest, RtfArticlesAndTextFilesWithoutSearch) {
  job.convertHtml = kRtfArticle;
  ASSERT_TRUE(Build("0x409 English (United States)"));
  ExpectLog(ExpectedLog({}, true, job.compilerPath), "Complete HTML Help complier with exit code 1, timeout ");
  Keep("rtf-articles.chm");
}

TEST_F(ExportDriverTest, SkippedRtfLeavesItsNodeOut) {
  job.convertHtml = kRtfSkip;
  ASSERT_TRUE(Build());
  ExpectLog(ExpectedLog({}, true, job.compilerPath), "Complete HTML Help complier with exit code 1, timeout ");
  Keep("skipped.chm");
}

TEST_F(ExportDriverTest, LinkPagesBuildAndNeverBecomeTheDefaultTopic) {
  job.convertHtml = kRtfLinkPage;
  job.firstArticleId = 3;
  ASSERT_TRUE(Build());
  Keep("link-pages.chm");
}

TEST_F(ExportDriverTest, NoLogSinkGivesTheSameResult) {
  job.logCallback = nullptr;
  ASSERT_TRUE(Build());
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(isExistingFile(destination));
}

TEST_F(ExportDriverTest, MissingCompilerReportsExitCodeZero) {
  job.compilerPath = workFolder + "\\no compiler here\\HHC.exe";
  EXPECT_FALSE(Build());
  EXPECT_FALSE(isExistingFile(destination));
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, false, job.compilerPath),
            "Complete HTML Help complier with exit code 0, timeout ");
}

TEST_F(ExportDriverTest, CompilerWithoutOutputFails) {
  job.compilerPath = windowsPath(T2C_FAKE_COMPILER);
  EXPECT_FALSE(Build());
  EXPECT_FALSE(isExistingFile(destination));
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, false, job.compilerPath,
                        {"HHC: warning: exiting with 0"}),
            "Complete HTML Help complier with exit code 0, timeout ");
}

// A destination that cannot take the help file keeps what it held, and the log says why.
TEST_F(ExportDriverTest, DestinationThatCannotTakeTheHelpFileFails) {
  const std::string earlier = "an earlier help file";
  auto expectKept = [&](const std::string& why, const std::string& errorText) {
    EXPECT_FALSE(Build()) << why;
    ASSERT_FALSE(log.empty()) << why;
    EXPECT_EQ(log.back(), "Cannot copy the CHM-file to " + destination + errorText) << why;
    EXPECT_EQ(BuildLines().size(), 7u) << why;
    log.clear();
  };
  const std::string folderDestination = destination;
  destination = tempFolder() + "t2c export test\\missing folder\\Handbook.chm";
  expectKept("missing folder", " (error 3)");

  destination = folderDestination;
  writeText(destination, earlier);
  HANDLE held = CreateFileA(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  expectKept("held open", " (error 32)");
  CloseHandle(held);
  EXPECT_TRUE(readText(destination) == earlier) << "the held file was replaced";
}

TEST_F(ExportDriverTest, EmptyHelpFileFromTheCompilerIsNoSuccess) {
  writeText(destination, "an earlier help file");
  job.compilerPath = windowsPath(T2C_FAKE_COMPILER);
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_EMPTY", "1");
  EXPECT_FALSE(Build());
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_EMPTY", nullptr);
  EXPECT_TRUE(readText(destination) == "an earlier help file") << "an empty help file replaced the earlier one";
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, false, job.compilerPath,
                        {"HHC: warning: exiting with 0", "The compiler made an empty CHM-file: nothing to copy"}),
            "Complete HTML Help complier with exit code 0, timeout ");
}

// A compiler that takes its time is awaited and its file delivered; one that crashed after
// writing part of its file replaces nothing.
TEST_F(ExportDriverTest, SlowCompilerIsAwaitedAndACrashedOneReplacesNothing) {
  writeText(destination, "an earlier help file");
  job.compilerPath = windowsPath(T2C_FAKE_COMPILER);
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_WRITES", "ITSF help file");
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_SLEEP_MS", "1500");
  EXPECT_TRUE(Build());
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_SLEEP_MS", nullptr);
  EXPECT_EQ(readText(destination), "ITSF help file");
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, true, job.compilerPath, {"HHC: warning: exiting with 0"}),
            "Complete HTML Help complier with exit code 0, timeout ");

  log.clear();
  writeText(destination, "an earlier help file");
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_CRASH", "1");
  EXPECT_FALSE(Build());
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_CRASH", nullptr);
  SetEnvironmentVariableA("T2C_FAKE_COMPILER_WRITES", nullptr);
  EXPECT_EQ(readText(destination), "an earlier help file");
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, false, job.compilerPath,
                        {"The compiler broke off (exit code 0xC0000005): nothing to copy"}),
            "Complete HTML Help complier with exit code -1073741819, timeout ");
}

TEST_F(ExportDriverTest, ContentsOrProjectFileThatCannotBeCreatedEndsTheBuild) {
  for (const char* name : {"content.hhc", "project.hhp"}) {
    log.clear();
    const std::string blocked = workFolder + "\\" + name;
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_FALSE(Build()) << name;
    EXPECT_FALSE(isExistingFile(workFolder + "\\project.hhp")) << name;
    EXPECT_FALSE(isExistingFile(destination)) << name;
    EXPECT_EQ(log, (std::vector<std::string>{"Convert nodes headers to filenames\x85", "Write data to files\x85",
                                             "Convert to HTML Formatted\x85", "Make content file\x85",
                                             "Cannot create file " + blocked}));
    RemoveDirectoryA(blocked.c_str());
  }
}

TEST_F(ExportDriverTest, EmptyWorkFolderWritesNothingAndSaysWhy) {
  std::string unused = workFolder;
  workFolder.clear();
  EXPECT_FALSE(Build());
  EXPECT_EQ(log, std::vector<std::string>{"Cannot create work folder"});
  workFolder = unused;
  EXPECT_FALSE(isExistingFile(destination));
}

// A node of a kind the plug-in does not know is named "file5." and written as "file5".
TEST_F(ExportDriverTest, NodeOfUnknownKindBuildsIntoTheHelpFile) {
  f.Add(9, 1, 7, "Odd kind").text = "odd article";
  f.Fill();
  ASSERT_TRUE(Build());
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, true, job.compilerPath),
            "Complete HTML Help complier with exit code 1, timeout ");
  Keep("unknown-kind.chm");
}

TEST_F(ExportDriverTest, ArticleThatCannotBeCreatedIsLeftOutOfTheHelpFile) {
  const std::string blocked = workFolder + "\\file2.htm";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  ASSERT_TRUE(Build());
  // The log names the article the help file lacks.
  ExpectLog(ExpectedLog({"Convert to HTML Formatted\x85"}, true, job.compilerPath,
                        {"HHC: warning: cannot find file2.htm, compiling without it"}),
            "Complete HTML Help complier with exit code 1, timeout ");
  Keep("missing-article.chm");
  RemoveDirectoryA(blocked.c_str());
}

// export_readback.sh runs this under several code pages and reads the page back.
TEST_F(ExportDriverTest, PageOfTheSystemsCodePageKeepsItsTitleAndText) {
  std::wstring title, text;
  if (!systemSample(title, text)) GTEST_SKIP() << "no sample for code page " << GetACP();
  f.Node(3).text = "{\\rtf1\\ansi\\ansicpg" + std::to_string(GetACP()) + "{\\info{\\title " + rtfText(title) +
                   "}}" + rtfText(text) + "\\par}";
  ASSERT_TRUE(Build());
  std::string page;
  ASSERT_TRUE(readWholeFile(workFolder + "\\file1.htm", page));
  EXPECT_NE(page.find("<HEAD>\n" + charsetDeclaration(GetACP()) + "\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<TITLE>" + ansi(title) + "</TITLE>"), std::string::npos) << page;
  Keep("codepage-" + std::to_string(GetACP()) + ".chm");
}

// size_limited_build.sh runs this with a limit on the size of every file the process writes, as
// on a full disk: an article, then an RTF companion file, outgrows it, so writing fails part-way.
TEST_F(ExportDriverTest, WriteErrorPartWayThroughAnArticleEndsTheBuild) {
  char limit[32] = "";
  if (!GetEnvironmentVariableA("T2C_FILE_SIZE_LIMIT", limit, sizeof limit)) GTEST_SKIP() << "no size limit";
  const uint32_t bytes = static_cast<uint32_t>(std::stoul(limit));
  const std::string tooLarge(bytes + 65536, 'x');
  struct Case {
    int node;
    int32_t mode;
    const char* file;
  };
  for (const Case& c : {Case{2, kRtfToHtml, "file0.txt"}, Case{3, kRtfLinkPage, "rtf3.rtf"}}) {
    log.clear();
    const std::string text = f.Node(c.node).text;
    f.Node(c.node).text = tooLarge;
    job.convertHtml = c.mode;
    EXPECT_FALSE(Build()) << c.file;
    f.Node(c.node).text = text;
    const std::string failed = workFolder + "\\" + c.file;
    EXPECT_EQ(log, (std::vector<std::string>{"Convert nodes headers to filenames\x85", "Write data to files\x85",
                                             "Cannot write to file " + failed}));
    EXPECT_EQ(fileSize(failed), bytes) << c.file;
    EXPECT_FALSE(isExistingFile(workFolder + "\\content.hhc")) << c.file;
    EXPECT_FALSE(isExistingFile(destination)) << c.file;
  }
  EXPECT_TRUE(removeWorkFolder(workFolder));
  EXPECT_FALSE(isExistingFile(workFolder + "\\file0.txt"));
}

TEST(ElapsedSecondsTest, UnsignedAcrossTheWrap) {
  EXPECT_EQ(elapsedSeconds(1000, 4999), 3u);
  EXPECT_EQ(elapsedSeconds(0xFFFFF000u, 0x00000BB8u), 7u);
}

}  // namespace
}  // namespace t2c
