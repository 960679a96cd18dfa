// The build's files on a disk that fails: every failed write ends the build and is named, a full
// disk likewise, a refused folder leaves the articles to the compiler's report, and the compiled
// file replaces the destination only when it is whole and the copy works.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/article_writer.h"
#include "support/faulty_disk.h"
#include "support/log_lines.h"
#include "project/article_naming.h"
#include "project/compiled_file.h"
#include "project/project_writers.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

using Lines = LogLines;

class StubConversions : public ArticleConversions {
 public:
  bool RtfToPage(std::string& text, const ExportRun&) override {
    text = "<HTML>" + text + "</HTML>";
    return true;
  }
  std::string PlainTextAsRtf(const std::string& text) override { return "{\\rtf1 " + text + "}"; }
};

bool startsWith(const Lines& lines, const Lines& prefix) {
  return prefix.size() <= lines.size() && std::equal(prefix.begin(), prefix.end(), lines.begin());
}

class BuildDiskTest : public ::testing::Test {
 protected:
  BuildDiskTest() {
    f.Add(1, 0, kContainer, "Notes");
    f.Add(2, 1, kPlainText, "Plain").text = "plain words\n";
    f.Add(3, 1, kRichText, "Formatted").text = "{\\rtf1 formatted}";
    f.Add(4, 1, kContainer, "Folder");
    f.Add(5, 4, kHtml, "Page").text = std::string(3000, 'h');
    f.Fill();
    collectLog(job, log);
    job.firstArticleId = 2;
  }

  // Writes the build's files as the export driver does, on `disk`; the project file's path, or
  // empty when the build ended.
  std::string WriteBuild(FaultyDisk& disk) {
    log.clear();
    ExportRun run(f.tree, "C:\\work", job);
    run.files = &disk;
    run.conversions = &conversions;
    assignArticleNames(run);
    walkTree(f.tree, f.tree.Root(), writeNodeArticle, &run);
    fileList = run.fileList;
    if (run.writeFailed) return std::string();
    const std::string contents = writeContentsFile(run);
    if (contents.empty()) return contents;
    return writeProjectFile(job, run, contents, "0x409 English (United States)").path;
  }

  TreeFixture f;
  StubConversions conversions;
  ExportJob job;
  Lines log;
  Lines fileList;
};

TEST_F(BuildDiskTest, EveryFailedWriteEndsTheBuildNamingItsFile) {
  for (int32_t mode : {kRtfToHtml, kRtfLinkPage}) {
    job.convertHtml = mode;
    FaultyDisk whole;
    ASSERT_EQ(WriteBuild(whole), "C:\\work\\project.hhp");
    const Lines reference = log;
    const Lines order = whole.writeOrder;
    ASSERT_EQ(order.size(), mode == kRtfLinkPage ? 6u : 5u);
    for (size_t failing = 1; failing <= order.size(); ++failing) {
      SCOPED_TRACE("mode " + std::to_string(mode) + ", write " + std::to_string(failing));
      FaultyDisk disk;
      disk.failingWrite = static_cast<int>(failing);
      EXPECT_EQ(WriteBuild(disk), "");
      const std::string& broken = order[failing - 1];
      ASSERT_FALSE(log.empty());
      EXPECT_EQ(log.back(), "Cannot write to file " + broken);
      EXPECT_TRUE(startsWith(reference, Lines(log.begin(), log.end() - 1)));
      // Nothing is written after the file that failed.
      EXPECT_EQ(disk.writeOrder, Lines(order.begin(), order.begin() + failing));
    }
  }
}

TEST_F(BuildDiskTest, AFullDiskEndsTheBuildAtTheFileThatOutgrowsIt) {
  FaultyDisk whole;
  ASSERT_FALSE(WriteBuild(whole).empty());
  int64_t total = 0;
  for (const auto& file : whole.files) total += static_cast<int64_t>(file.second.size());
  const std::string page = "C:\\work\\file2.htm";
  const int64_t beforePage = total - static_cast<int64_t>(whole.files[page].size()) -
                             static_cast<int64_t>(whole.files["C:\\work\\content.hhc"].size()) -
                             static_cast<int64_t>(whole.files["C:\\work\\project.hhp"].size());
  const struct {
    int64_t capacity;
    std::string broken;
  } cases[] = {{0, "C:\\work\\file0.txt"}, {beforePage + 100, page}, {total - 1, "C:\\work\\project.hhp"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.broken);
    FaultyDisk disk;
    disk.capacity = c.capacity;
    EXPECT_EQ(WriteBuild(disk), "");
    EXPECT_EQ(log.back(), "Cannot write to file " + c.broken);
    EXPECT_EQ(disk.writeOrder.back(), c.broken);
    // The broken file holds the start of its bytes, as a disk that filled up leaves it.
    const std::string& part = disk.files[c.broken];
    EXPECT_LT(part.size(), whole.files[c.broken].size());
    EXPECT_EQ(whole.files[c.broken].compare(0, part.size(), part), 0);
  }
}

TEST_F(BuildDiskTest, AFolderThatRefusesFilesLeavesTheArticlesListedAndEndsAtTheContents) {
  FaultyDisk disk;
  disk.refusedFolder = "C:\\work";
  EXPECT_EQ(WriteBuild(disk), "");
  // The compiler would name each missing article; the contents file ends the build first.
  EXPECT_EQ(fileList, (Lines{"file0.txt", "file1.htm", "file2.htm"}));
  EXPECT_EQ(log, (Lines{"Convert to HTML Formatted\x85", "Make content file\x85",
                        "Cannot create file C:\\work\\content.hhc"}));
  EXPECT_TRUE(disk.files.empty());
}

TEST_F(BuildDiskTest, TheDestinationIsReplacedOnlyByAWholeCompiledFile) {
  const std::string compiled = "C:\\work\\tessaly2chm.chm";
  const std::string destination = "D:\\Help\\Notes.chm";
  const struct {
    const char* name;
    const char* compiledBytes;  // null: the compiler made no file
    uint32_t exitCode;
    uint32_t copyError;
    bool delivered;
    Lines log;
  } cases[] = {
      {"no file", nullptr, 1, 0, false, {}},
      {"empty file", "", 1, 0, false, {"The compiler made an empty CHM-file: nothing to copy"}},
      {"crashed", "ITSF", 0xC0000005, 0, false, {"The compiler broke off (exit code 0xC0000005): nothing to copy"}},
      {"overflowed its stack", nullptr, 0xC00000FD, 0, false,
       {"The compiler broke off (exit code 0xC00000FD): nothing to copy"}},
      {"exit(-1)", "ITSF", 0xFFFFFFFF, 0, true, {"The compiler ended with an error (exit code 0xFFFFFFFF)", "(shown)"}},
      {"exit(-1) without a file", nullptr, 0xFFFFFFFF, 0, false,
       {"The compiler ended with an error (exit code 0xFFFFFFFF)"}},
      {"copy refused", "ITSF", 1, 32, false, {"(shown)", "Cannot copy the CHM-file to D:\\Help\\Notes.chm (error 32)"}},
      {"copied", "ITSF", 1, 0, true, {"(shown)"}},
      {"copied, exit code 0", "ITSF", 0, 0, true, {"(shown)"}},
  };
  // The copy is a step that can take long: the log is shown before it.
  job.showLog = [](void* lines) { static_cast<Lines*>(lines)->push_back("(shown)"); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FaultyDisk disk;
    disk.files[destination] = "the user's older help file";
    if (c.compiledBytes) disk.files[compiled] = c.compiledBytes;
    disk.copyError = c.copyError;
    log.clear();
    ExportRun run(f.tree, "C:\\work", job);
    run.files = &disk;
    EXPECT_EQ(deliverCompiledFile(run, c.exitCode, compiled, destination), c.delivered);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(disk.files[destination], c.delivered ? "ITSF" : "the user's older help file");
    EXPECT_EQ(disk.files.count(compiled) > 0, c.compiledBytes && !c.delivered);
  }
}

}  // namespace
}  // namespace t2c
