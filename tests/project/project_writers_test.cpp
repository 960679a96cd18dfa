// The two project writers on disk: bytes, attributes, replacement and the refusals.
#include <gtest/gtest.h>

#include <windows.h>

#include "project/contents_file.h"
#include "project/file_output_win.h"
#include "project/file_system_win.h"
#include "project/project_writers.h"
#include "project/work_folder_win.h"
#include "support/file_bytes.h"
#include "support/log_lines.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

bool isTemporary(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_TEMPORARY);
}

// Wine accepts the temporary attribute but does not keep it; Windows does.
bool platformKeepsTemporaryAttribute(const std::string& folder) {
  const std::string probe = folder + "\\probe.tmp";
  if (!writeTemporaryFile(probe, "p")) return false;
  const bool kept = isTemporary(probe);
  DeleteFileA(probe.c_str());
  return kept;
}

// The attribute where the platform keeps it; otherwise at least a plain, readable file.
void expectMarkedTemporary(const std::string& folder, const std::string& path) {
  if (platformKeepsTemporaryAttribute(folder)) {
    EXPECT_TRUE(isTemporary(path)) << path;
  } else {
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  }
}

class WritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = makeWorkFolder();
    ASSERT_FALSE(folder.empty());
    f.Add(1, 1, kContainer, "Docs");
    f.Add(2, 1, kHtml, "Intro").fileName = "file0.htm";
    f.Fill();
    job.title = "Manual";
    job.description = "made here";
    collectLog(job, log);
  }
  void TearDown() override { removeWorkFolder(folder); }

  std::string folder;
  TreeFixture f;
  ExportJob job;
  LogLines log;
};

TEST_F(WritersTest, ContentsFileLandsInTheWorkFolderWithCrLfAndTemporaryAttribute) {
  ExportRun run(f.tree, folder, job);
  run.files = &windowsFileSystem();
  const std::string path = writeContentsFile(run);
  EXPECT_EQ(path, folder + "\\content.hhc");
  EXPECT_EQ(log, LogLines{"Make content file\x85"});
  const std::string bytes = fileBytes(path);
  const std::string ending =
      "\r\n<UL>\r\n"
      "\r\n<LI> <OBJECT type=\"text/sitemap\">\r\n\t<param name=\"Name\" value=\"Docs\">"
      "\r\n\t</OBJECT>\r\n<UL>\r\n"
      "\r\n<LI> <OBJECT type=\"text/sitemap\">\r\n\t<param name=\"Name\" value=\"Intro\">"
      "\r\n\t<param name=\"Local\" value=\"file0.htm\">\r\n\t</OBJECT>"
      "\r\n</UL></BODY></HTML>";
  ASSERT_GT(bytes.size(), ending.size());
  EXPECT_EQ(bytes.substr(0, 48), "<!DOCTYPE HTML PUBLIC '-//IETF//DTD HTML//EN'>\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - ending.size()), ending);
  expectMarkedTemporary(folder, path);
}

TEST_F(WritersTest, ProjectFileLandsInTheWorkFolderAndIsReplacedOnTheSecondWrite) {
  ExportRun run(f.tree, folder, job);
  run.files = &windowsFileSystem();
  run.fileList = {"file0.htm", "file1.txt", "file2.htm"};
  const ProjectFileResult first = writeProjectFile(job, run, folder + "\\content.hhc", "0x409 English");
  EXPECT_EQ(first.path, folder + "\\project.hhp");
  EXPECT_EQ(first.titleText, "Manual [made here]");
  expectMarkedTemporary(folder, first.path);
  const std::string firstBytes = fileBytes(first.path);
  EXPECT_NE(firstBytes.find("\r\nTitle=Manual [made here]\r\n\r\n[FILES]\r\nfile0.htm\r\nfile1.txt"
                            "\r\nfile2.htm\r\n\r\n[INFOTYPES]\r\nCategory:New\r\nCategoryDesc: "),
            std::string::npos);

  job.title.clear();
  run.fileList = {"file0.htm"};
  const ProjectFileResult second = writeProjectFile(job, run, folder + "\\content.hhc", "0x409 English");
  EXPECT_EQ(second.path, first.path);
  EXPECT_EQ(second.titleText, "made here");
  const std::string secondBytes = fileBytes(second.path);
  EXPECT_LT(secondBytes.size(), firstBytes.size());
  const std::string tail = "Title=made here\r\n\r\n[FILES]\r\nfile0.htm\r\n\r\n[INFOTYPES]\r\n"
                           "Category:New\r\nCategoryDesc: ";
  ASSERT_GT(secondBytes.size(), tail.size());
  EXPECT_EQ(secondBytes.substr(secondBytes.size() - tail.size()), tail);
}

TEST_F(WritersTest, NoWorkFolderWritesNothing) {
  // Were an empty folder taken literally, the files would land in the current directory.
  CurrentDirectoryScope scope(folder);
  ExportRun run(f.tree, "", job);
  run.files = &windowsFileSystem();
  EXPECT_EQ(writeContentsFile(run), "");
  const ProjectFileResult project = writeProjectFile(job, run, "content.hhc", "L");
  EXPECT_EQ(project.path, "");
  EXPECT_EQ(project.titleText, "Manual [made here]");
  EXPECT_FALSE(isExistingFile(folder + "\\content.hhc"));
  EXPECT_FALSE(isExistingFile(folder + "\\project.hhp"));
  EXPECT_FALSE(isExistingFile("\\content.hhc"));
}

TEST_F(WritersTest, MissingWorkFolderIsReportedAsFailure) {
  const std::string gone = folder + "\\missing";
  ExportRun run(f.tree, gone, job);
  run.files = &windowsFileSystem();
  EXPECT_EQ(writeContentsFile(run), "");
  EXPECT_EQ(writeProjectFile(job, run, gone + "\\content.hhc", "L").path, "");
  EXPECT_FALSE(isExistingFile(gone + "\\content.hhc"));
}

TEST_F(WritersTest, FileHeldOpenCannotBeReplaced) {
  const std::string path = folder + "\\project.hhp";
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ExportRun run(f.tree, folder, job);
  run.files = &windowsFileSystem();
  EXPECT_EQ(writeProjectFile(job, run, folder + "\\content.hhc", "L").path, "");
  EXPECT_FALSE(writeTemporaryFile(path, "x"));
  CloseHandle(held);
  EXPECT_EQ(fileSize(path), 0u);
  EXPECT_FALSE(isTemporary(path));
}

}  // namespace
}  // namespace t2c
