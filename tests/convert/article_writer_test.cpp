// The writing walk under Wine, with this program as the host and a stand-in converter library.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "convert/article_conversions_win.h"
#include "convert/article_writer.h"
#include "convert/html_passes.h"
#include "host/host_state_win.h"
#include "project/article_naming.h"
#include "project/file_system_win.h"
#include "project/tick_clock.h"
#include "project/work_folder_win.h"
#include "support/log_lines.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

const char kTemplate[] =
    "<HTML><BODY><H2>%RTF_HEADER%</H2><HR>Article contains RTF-file created by <A "
    "HREF=\"http://www.tessaly.example/download.shtml\" TITLE=\"Visit to Tessaly web site\" "
    "TARGET=_blank>Tessaly</A>.Click for viewing <A HREF=\"%RTF_FILE%\">%RTF_HEADER%</A></BODY></HTML>";

const char kFormatted[] = "{\\rtf1 see <A HREF=\"x.htm\">\t Details </A>}\n";
const char kFormattedTidied[] = "{\\rtf1 see <A HREF=\"x.htm\">Details</A>}\n";

std::string programFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string stubs(const std::string& rest) { return programFolder() + "converters\\" + rest; }

// Every file directly in the folder with its bytes; folders are left out.
std::map<std::string, std::string> filesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string& bytes = files[found.cFileName];
    HANDLE file = CreateFileA((folder + "\\" + found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
      bytes.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

LogLines logLines;

int hookCalls = 0;
int markPage(std::string& page, void* context) {
  ++hookCalls;
  page += *static_cast<const std::string*>(context);
  return 0;
}

// A clock that answers from a script; once the script is used up it stands still.
std::vector<uint32_t> tickScript;
size_t tickIndex = 0;
uint32_t scriptedTicks() {
  if (tickScript.empty()) return 0;
  const uint32_t now = tickScript[tickIndex < tickScript.size() ? tickIndex : tickScript.size() - 1];
  ++tickIndex;
  return now;
}

// What the stand-in converter in "in_folder" makes of an RTF text, after every pass.
std::string convertedPage(const std::string& colour, const std::string& visibleRtf) {
  return charsetDeclaration(GetACP()) +
         "\n<html>\r\n<!-- Created by:Tessaly2CHM Plugin by Brenmoor http://www.tessaly.example-->\r\n"
         "args=16|" + colour + "|0|96\r\nrtf=" + visibleRtf + "\r\n</html>\r\n";
}

class ArticleWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = makeWorkFolder();
    ASSERT_FALSE(work_.empty());
    logLines.clear();
    hookCalls = 0;
    tickScript.clear();
    tickIndex = 0;
    setTickSource(scriptedTicks);
    tly::hostState().renderColour = RGB(0x12, 0x34, 0x56);
    collectLog(job_, logLines);
    job_.converterPlace = stubs("in_folder");
    job_.rtfLinkTemplate = kTemplate;
  }

  void TearDown() override {
    setTickSource(nullptr);
    for (const std::string& name : obstacles_) RemoveDirectoryA((work_ + "\\" + name).c_str());
    removeWorkFolder(work_);
  }

  // A folder where the writer wants a file, so that creating the file fails.
  void Obstruct(const std::string& name) {
    ASSERT_TRUE(CreateDirectoryA((work_ + "\\" + name).c_str(), nullptr));
    obstacles_.push_back(name);
  }

  // Every kind once: a plain text, a web archive, formatted text, a page inside a container, an
  // excluded page and a kind the plug-in does not know.
  void StandardTree() {
    nodes_.Add(1, 1, kContainer, "Notes");
    nodes_.Add(2, 1, kPlainText, "Plain").text = "line one\r\nline two\n\x85 end";
    nodes_.Add(3, 1, kWebArchive, "Archive").text = "MIME-Version: 1.0\r\n\r\nbody";
    nodes_.Add(4, 1, kRichText, "Formatted").text = kFormatted;
    nodes_.Add(5, 1, kSecondContainer, "Folder");
    nodes_.Add(6, 5, kHtml, "Page").text = "<html><body>hi</body></html>\n";
    nodes_.Add(7, 1, kHtml, "Hidden").text = "never written";
    nodes_.Node(7).excluded = 1;
    nodes_.Add(8, 1, 9, "Odd").text = "odd\n";
  }

  // Names the articles and runs the writing walk, as the export driver does.
  ExportRun Write() {
    if (!nodes_.tree.Root()) nodes_.Fill();
    ExportRun run(nodes_.tree, work_, job_);
    run.files = &windowsFileSystem();
    run.conversions = &windowsArticleConversions();
    assignArticleNames(run);
    walkTree(nodes_.tree, nodes_.tree.Root(), writeNodeArticle, &run);
    return run;
  }

  std::string work_;
  ExportJob job_;
  TreeFixture nodes_;
  std::vector<std::string> obstacles_;
};

using Files = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

// Files every mode shares: kinds other than formatted text do not depend on the RTF mode.
Files sharedFiles(const std::string& page, const std::string& odd) {
  return {{"file0.txt", "line one\r\nline two\n\x85 end"},
          {"file1.mht", "MIME-Version: 1.0\r\n\r\nbody"},
          {page, "<html><body>hi</body></html>\n"},
          {odd, "odd\n"}};
}

// ---- What each node kind yields in each RTF mode ----

TEST_F(ArticleWriterTest, ModeZeroConvertsFormattedTextAndTidiesItsLinks) {
  StandardTree();
  job_.convertHtml = kRtfToHtml;
  const ExportRun run = Write();
  Files expected = sharedFiles("file3.htm", "file4");
  expected["file2.htm"] = convertedPage("123456", "{\\rtf1 see <A HREF=\"x.htm\">Details</A>}<CR><LF>");
  EXPECT_EQ(filesIn(work_), expected);
  EXPECT_EQ(run.fileList, (Names{"file0.txt", "file1.mht", "file2.htm", "file3.htm", "file4."}));
  EXPECT_EQ(logLines, Names{"Convert to HTML Formatted\x85"});
  EXPECT_EQ(run.defaultTopic, "");
}

TEST_F(ArticleWriterTest, ModeOneWritesTheRtfTidiedWithoutConverting) {
  StandardTree();
  job_.convertHtml = kRtfArticle;
  const ExportRun run = Write();
  Files expected = sharedFiles("file3.htm", "file4");
  expected["file2.rtf"] = kFormattedTidied;
  EXPECT_EQ(filesIn(work_), expected);
  EXPECT_EQ(run.fileList, (Names{"file0.txt", "file1.mht", "file2.rtf", "file3.htm", "file4."}));
  EXPECT_EQ(logLines, Names{});
}

TEST_F(ArticleWriterTest, ModeTwoSkipsFormattedText) {
  StandardTree();
  job_.convertHtml = kRtfSkip;
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), sharedFiles("file2.htm", "file3"));
  EXPECT_EQ(run.fileList, (Names{"file0.txt", "file1.mht", "file2.htm", "file3."}));
  EXPECT_EQ(logLines, Names{});
}

TEST_F(ArticleWriterTest, ModeThreeWritesTheRtfAndAPageLinkingToIt) {
  StandardTree();
  job_.convertHtml = kRtfLinkPage;
  const ExportRun run = Write();
  Files expected = sharedFiles("file3.htm", "file4");
  expected["rtf4.rtf"] = kFormatted;
  expected["file2.htm"] =
      "<HTML><BODY><H2>Formatted</H2><HR>Article contains RTF-file created by <A "
      "HREF=\"http://www.tessaly.example/download.shtml\" TITLE=\"Visit to Tessaly web site\" "
      "TARGET=_blank>Tessaly</A>.Click for viewing <A HREF=\"rtf4.rtf\">Formatted</A></BODY></HTML>";
  EXPECT_EQ(filesIn(work_), expected);
  EXPECT_EQ(run.fileList, (Names{"file0.txt", "file1.mht", "rtf4.rtf", "file2.htm", "file3.htm", "file4."}));
  EXPECT_EQ(logLines, Names{});
}

TEST_F(ArticleWriterTest, EmptyTextsGiveEmptyListedFiles) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kWebArchive, "Archive");
  nodes_.Add(3, 1, kHtml, "Page");
  nodes_.Add(4, 1, kPlainText, "Plain");
  nodes_.Add(5, 1, kRichText, "Formatted");
  job_.convertHtml = kRtfArticle;
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), (Files{{"file0.mht", ""}, {"file1.htm", ""}, {"file2.txt", ""}, {"file3.rtf", ""}}));
  EXPECT_EQ(run.fileList, (Names{"file0.mht", "file1.htm", "file2.txt", "file3.rtf"}));
}

// ---- Mode 3 in detail ----

TEST_F(ArticleWriterTest, LinkPageUsesTheHeaderAsSentAndIsWrittenInTextMode) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(-5, 1, kRichText, "Intro %RTF_FILE% and %RTF_HEADER%").text = "{\\rtf1 a\nb}";
  nodes_.Fill();
  nodes_.tree.FindById(-5)->label = "Renamed by the user";
  job_.convertHtml = kRtfLinkPage;
  job_.rtfLinkTemplate = "<H2>%RTF_HEADER%</H2>\n<A HREF=\"%RTF_FILE%\">%RTF_header% %RTF_HEADER%</A>\n";
  const ExportRun run = Write();
  const std::string header = "Intro %RTF_FILE% and %RTF_HEADER%";
  EXPECT_EQ(filesIn(work_),
            (Files{{"rtf-5.rtf", "{\\rtf1 a\nb}"},
                   {"file0.htm", "<H2>" + header + "</H2>\r\n<A HREF=\"rtf-5.rtf\">%RTF_header% " + header +
                                     "</A>\r\n"}}));
  EXPECT_EQ(run.fileList, (Names{"rtf-5.rtf", "file0.htm"}));
}

TEST_F(ArticleWriterTest, UnwritableRtfFileEndsTheWalk) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kHtml, "Before").text = "before";
  nodes_.Add(3, 1, kRichText, "Formatted").text = "{\\rtf1}";
  nodes_.Add(4, 1, kHtml, "After").text = "after";
  job_.convertHtml = kRtfLinkPage;
  Obstruct("rtf3.rtf");
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), (Files{{"file0.htm", "before"}}));
  EXPECT_EQ(run.fileList, Names{"file0.htm"});
}

TEST_F(ArticleWriterTest, UnwritableLinkPageEndsTheWalkWithTheRtfListed) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kHtml, "Before").text = "before";
  nodes_.Add(3, 1, kRichText, "Formatted").text = "{\\rtf1}";
  nodes_.Add(4, 1, kHtml, "After").text = "after";
  job_.convertHtml = kRtfLinkPage;
  Obstruct("file1.htm");
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), (Files{{"file0.htm", "before"}, {"rtf3.rtf", "{\\rtf1}"}}));
  EXPECT_EQ(run.fileList, (Names{"file0.htm", "rtf3.rtf"}));
}

TEST_F(ArticleWriterTest, UnwritableArticleStaysListedAndTheWalkGoesOn) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kHtml, "First").text = "first";
  nodes_.Add(3, 1, kHtml, "Second").text = "second";
  job_.firstArticleId = 2;
  Obstruct("file0.htm");
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), (Files{{"file1.htm", "second"}}));
  EXPECT_EQ(run.fileList, (Names{"file0.htm", "file1.htm"}));
  EXPECT_EQ(run.defaultTopic, "file0.htm");
  EXPECT_EQ(logLines, Names{});
}

// ---- The first article ----

TEST_F(ArticleWriterTest, OnlyAWrittenArticleBecomesTheDefaultTopic) {
  StandardTree();
  nodes_.Add(9, 1, kRichText, "Second formatted").text = "{\\rtf1}";
  struct Case {
    int32_t firstId;
    int32_t mode;
    const char* topic;
  };
  const Case cases[] = {{6, kRtfToHtml, "file3.htm"}, {4, kRtfArticle, "file2.rtf"}, {4, kRtfToHtml, "file2.htm"},
                        {7, kRtfToHtml, ""},          {5, kRtfToHtml, ""},          {1, kRtfToHtml, ""},
                        {4, kRtfSkip, ""},            {4, kRtfLinkPage, ""},        {-1, kRtfToHtml, ""}};
  for (const Case& c : cases) {
    job_.firstArticleId = c.firstId;
    job_.convertHtml = c.mode;
    EXPECT_EQ(Write().defaultTopic, c.topic) << "first " << c.firstId << ", mode " << c.mode;
  }
}

// ---- Plain text through the host ----

TEST_F(ArticleWriterTest, PlainTextAsHtmlIsRenderedByTheHostThenConverted) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kPlainText, "Plain").text = "Caf\xe9 {x}\r\n<A HREF=\"a\">  y </A>";
  job_.plainTextAsHtml = true;
  std::string marker = "[hooked]";
  job_.htmlHook = markPage;
  job_.htmlHookContext = &marker;
  strcpy(tly::hostState().font.lfFaceName, "Courier New");
  const ExportRun run = Write();
  strcpy(tly::hostState().font.lfFaceName, "Tahoma");
  // The host's RTF reaches the converter in text mode, so its CR LF arrive as CR CR LF; the
  // link text is not tidied on this road.
  const std::string rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(GetACP()) +
                          "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}<CR><CR><LF>"
                          "\\viewkind4\\uc1\\pard\\f0\\fs20 Caf\\'e9 \\{x\\}\\par<CR><CR><LF>"
                          "<A HREF=\"a\">  y </A>\\par<CR><CR><LF>}<CR><CR><LF>";
  EXPECT_EQ(filesIn(work_), (Files{{"file0.htm", convertedPage("123456", rtf) + "[hooked]"}}));
  EXPECT_EQ(run.fileList, Names{"file0.htm"});
  EXPECT_EQ(logLines, Names{"Convert to HTML Plain\x85"});
  EXPECT_EQ(hookCalls, 1);
}

TEST_F(ArticleWriterTest, FailedConversionsKeepTheTextBeforeConversion) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kRichText, "Formatted").text = kFormatted;
  nodes_.Add(3, 1, kPlainText, "Plain").text = "a}";
  job_.plainTextAsHtml = true;
  job_.converterPlace = stubs("no_entry");
  job_.htmlHook = markPage;
  tickScript = {100, 200, 1000, 5000};
  const ExportRun run = Write();
  const std::string hostRtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(GetACP()) +
                              "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}\r\n"
                              "\\viewkind4\\uc1\\pard\\f0\\fs20 a\\}\\par\r\n}\r\n";
  EXPECT_EQ(filesIn(work_), (Files{{"file0.htm", kFormattedTidied}, {"file1.htm", hostRtf}}));
  EXPECT_EQ(logLines, (Names{"Convert to HTML Formatted\x85", "Convert to HTML Plain\x85", "   Fail!, 4 seconds"}));
  EXPECT_EQ(hookCalls, 0);
}

// ---- Timing of conversions ----

// A large text's line is shown before its conversion begins; small ones keep the log's pace.
TEST_F(ArticleWriterTest, OnlyConversionsOverThreeSecondsAreTimedAndLargeOnesShownFirst) {
  const std::string large = "{\\rtf1" + std::string(64 * 1024, ' ') + "}";
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kRichText, "Exactly three").text = "{\\rtf1}";
  nodes_.Add(3, 1, kRichText, "Almost six").text = large;
  nodes_.Add(4, 1, kRichText, "Just over").text = "{\\rtf1}";
  job_.showLog = [](void*) { logLines.push_back("(shown)"); };
  // The second conversion runs across the wrap of the 32-bit counter.
  tickScript = {0xFFFFF000u, 0xFFFFF000u + 3000, 0xFFFFFC00u, 0xFFFFFC00u + 5999, 7, 3008};
  const ExportRun run = Write();
  EXPECT_EQ(logLines, (Names{"Convert to HTML Exactly three\x85", "Convert to HTML Almost six\x85", "(shown)",
                             "   OK, 5 seconds", "Convert to HTML Just over\x85", "   OK, 3 seconds"}));
  const std::string page = convertedPage("123456", "{\\rtf1}");
  EXPECT_EQ(filesIn(work_),
            (Files{{"file0.htm", page}, {"file1.htm", convertedPage("123456", large)}, {"file2.htm", page}}));
}

TEST_F(ArticleWriterTest, WithoutALogTheSameFilesAreWritten) {
  nodes_.Add(1, 1, kContainer, "Notes");
  nodes_.Add(2, 1, kRichText, "Slow").text = "{\\rtf1}";
  tly::hostState().renderColour = RGB(0xAB, 0x0C, 0xFF);
  tickScript = {0, 9000};
  job_.logCallback = nullptr;
  const ExportRun run = Write();
  EXPECT_EQ(filesIn(work_), (Files{{"file0.htm", convertedPage("AB0CFF", "{\\rtf1}")}}));
  EXPECT_EQ(logLines, Names{});
}

// ---- Repeated builds and bad input ----

TEST_F(ArticleWriterTest, SecondBuildStartsAfresh) {
  StandardTree();
  const ExportRun first = Write();
  const Files firstFiles = filesIn(work_);
  const std::string firstFolder = work_;
  work_ = makeWorkFolder();
  ASSERT_FALSE(work_.empty());
  const ExportRun second = Write();
  EXPECT_NE(work_, firstFolder);
  EXPECT_EQ(filesIn(work_), firstFiles);
  EXPECT_EQ(second.fileList, first.fileList);
  EXPECT_EQ(second.fileList.size(), 5u);
  removeWorkFolder(firstFolder);
}

TEST_F(ArticleWriterTest, MissingItemNodeOrRunCrashesNothing) {
  nodes_.Add(1, 1, kHtml, "Alone");
  nodes_.Fill();
  ExportRun run(nodes_.tree, work_, job_);
  run.files = &windowsFileSystem();
  run.conversions = &windowsArticleConversions();
  TreeItem bare;
  EXPECT_TRUE(writeNodeArticle(nullptr, &run));
  EXPECT_TRUE(writeNodeArticle(&bare, &run));
  EXPECT_FALSE(writeNodeArticle(nodes_.tree.Root(), nullptr));
  EXPECT_EQ(run.fileList, Names{});
  EXPECT_EQ(filesIn(work_), Files{});
}

}  // namespace
}  // namespace t2c
