// Project file text: the whole file for typical runs, the title rule and the default-page fallback.
#include <gtest/gtest.h>

#include <algorithm>

#include "project/project_file.h"
#include "project/text_mode.h"

namespace t2c {
namespace {

const char kOptionsHead[] =
    "[OPTIONS]\r\n"
    "Binary Index=Yes\r\n"
    "Auto Index=Yes\r\n"
    "Compatibility=1.1 or later\r\n"
    "Compiled file=tessaly2chm.chm\r\n"
    "Display compile progress=Yes\r\n"
    "Contents file=content.hhc\r\n";

const char kInfoTypes[] =
    "\r\n"
    "[INFOTYPES]\r\n"
    "Category:New\r\n"
    "CategoryDesc: ";

class ProjectTest : public ::testing::Test {
 protected:
  std::string FileBytes(const std::string& language = "0x409 English (United States)") {
    ExportRun run(tree, "C:\\work", job);
    run.fileList = fileList;
    run.defaultTopic = defaultTopic;
    return textModeBytes(projectFileText(job, run, "C:\\work\\content.hhc", language));
  }

  NodeTree tree;
  ExportJob job;
  std::vector<std::string> fileList;
  std::string defaultTopic;
};

TEST_F(ProjectTest, TypicalRunWholeFile) {
  job.title = "Manual";
  job.description = "description text";
  fileList = {"file0.htm", "file1.txt"};
  defaultTopic = "file0.htm";
  EXPECT_EQ(FileBytes(), std::string(kOptionsHead) +
                             "Full-text search=No\r\n"
                             "Default topic=file0.htm\r\n"
                             "Language=0x409 English (United States)\r\n"
                             "Title=Manual [description text]\r\n"
                             "\r\n"
                             "[FILES]\r\n"
                             "file0.htm\r\n"
                             "file1.txt\r\n" +
                             kInfoTypes);
}

TEST_F(ProjectTest, NoFilesLeavesTheDefaultTopicAndFileSectionEmpty) {
  job.title = "T";
  EXPECT_EQ(FileBytes("0x407 Deutsch"), std::string(kOptionsHead) +
                                            "Full-text search=No\r\n"
                                            "Default topic=\r\n"
                                            "Language=0x407 Deutsch\r\n"
                                            "Title=T\r\n"
                                            "\r\n"
                                            "[FILES]\r\n" +
                                            kInfoTypes);
}

TEST_F(ProjectTest, PicturesFollowTheArticlesAndValuesStayUnchanged) {
  job.fullTextSearch = true;
  job.title = "A [b] = c \xE9";
  job.pictureFiles = {"Picture_0.bmp", "Picture_1.bmp"};
  fileList = {"rtf7.rtf", "file0.htm", "f=[1].txt"};
  defaultTopic = "f=[1].txt";
  EXPECT_EQ(FileBytes(""), std::string(kOptionsHead) +
                               "Full-text search=Yes\r\n"
                               "Default topic=f=[1].txt\r\n"
                               "Language=\r\n"
                               "Title=A [b] = c \xE9\r\n"
                               "\r\n"
                               "[FILES]\r\n"
                               "rtf7.rtf\r\n"
                               "file0.htm\r\n"
                               "f=[1].txt\r\n"
                               "Picture_0.bmp\r\n"
                               "Picture_1.bmp\r\n" +
                               kInfoTypes);
}

TEST_F(ProjectTest, NoValueCanEndItsLine) {
  job.title = "Notes\r\n[FILES]\r\nC:\\Users\\me\\Documents\\passwords.txt";
  job.description = "made\nby\tus";
  fileList = {"file0.htm"};
  EXPECT_EQ(FileBytes("0x409\r\nError log file=C:\\log.txt"),
            std::string(kOptionsHead) +
                "Full-text search=No\r\n"
                "Default topic=file0.htm\r\n"
                "Language=0x409  Error log file=C:\\log.txt\r\n"
                "Title=Notes  [FILES]  C:\\Users\\me\\Documents\\passwords.txt [made by us]\r\n"
                "\r\n"
                "[FILES]\r\n"
                "file0.htm\r\n" +
                kInfoTypes);

  // A title of every byte a header can hold still makes exactly the file's own lines.
  job.description.clear();
  job.title.clear();
  for (int byte = 1; byte <= 255; ++byte) job.title += static_cast<char>(byte);
  const std::string bytes = FileBytes();
  std::string expectedTitle = job.title;
  for (char& c : expectedTitle)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  EXPECT_NE(bytes.find("\r\nTitle=" + expectedTitle + "\r\n\r\n[FILES]\r\nfile0.htm\r\n\r\n[INFOTYPES]"),
            std::string::npos);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 17);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 17);
}

TEST_F(ProjectTest, ContentsFileIsNamedWithoutItsFolderAndFallbackApplies) {
  fileList = {"file0.txt", "file1.HTM", "file2.htm"};
  ExportRun run(tree, "C:\\work", job);
  run.fileList = fileList;
  const std::string text = projectFileText(job, run, "D:\\x.y\\z\\content.hhc", "L");
  EXPECT_NE(text.find("\nContents file=content.hhc\nFull-text search=No\nDefault topic=file1.HTM\n"
                      "Language=L\nTitle=\n\n[FILES]\nfile0.txt\nfile1.HTM\nfile2.htm\n\n"),
            std::string::npos)
      << text;
}

TEST(ProjectTitle, TitleAndDescriptionCombinations) {
  ExportJob job;
  EXPECT_EQ(projectTitleText(job), "");
  job.title = "Manual";
  EXPECT_EQ(projectTitleText(job), "Manual");
  job.description = "made by us";
  EXPECT_EQ(projectTitleText(job), "Manual [made by us]");
  job.title.clear();
  EXPECT_EQ(projectTitleText(job), "made by us");
  // What the viewer's caption shows, the project file holds: a tab typed into the title is a blank there.
  job.title = "Man\tual";
  EXPECT_EQ(projectTitleText(job), "Man ual [made by us]");
}

TEST(DefaultTopicFallback, FirstHtmPageElseFirstName) {
  using List = std::vector<std::string>;
  EXPECT_EQ(defaultTopicFallback(List{}), "");
  EXPECT_EQ(defaultTopicFallback(List{"", ""}), "");
  EXPECT_EQ(defaultTopicFallback(List{"file0.txt", "file1.HTM", "file2.htm"}), "file1.HTM");
  EXPECT_EQ(defaultTopicFallback(List{"file0.txt", "file1.mht"}), "file0.txt");
  EXPECT_EQ(defaultTopicFallback(List{"", "file3.rtf", "file4.hTm"}), "file4.hTm");
  // Only the last period starts the extension, and ".html" is not ".htm".
  EXPECT_EQ(defaultTopicFallback(List{"a.htm.txt", "b.html", "c.htm."}), "a.htm.txt");
  // A period in a folder name is not an extension.
  EXPECT_EQ(defaultTopicFallback(List{"d.htm\\page", "sub\\e.HTM"}), "sub\\e.HTM");
  EXPECT_EQ(defaultTopicFallback(List{"x.txt", ".htm"}), ".htm");
}

TEST_F(ProjectTest, ChosenTopicWinsOverTheFallback) {
  fileList = {"file0.htm", "file1.txt"};
  defaultTopic = "file1.txt";
  EXPECT_NE(FileBytes().find("\r\nDefault topic=file1.txt\r\n"), std::string::npos);
}

}  // namespace
}  // namespace t2c
