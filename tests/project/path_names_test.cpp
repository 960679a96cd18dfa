// Path splitting and text-mode line ends, through the public helpers.
#include <gtest/gtest.h>

#include "project/path_names.h"
#include "project/text_mode.h"

namespace t2c {
namespace {

std::string parts(const std::string& path) {
  const PathParts p = splitPath(path);
  return p.drive + "|" + p.directory + "|" + p.name + "|" + p.extension;
}

TEST(SplitPath, SeparatesLikeTheRuntimeLibrary) {
  EXPECT_EQ(parts("D:\\a\\b.txt"), "D:|\\a\\|b|.txt");
  EXPECT_EQ(parts("D:b.txt"), "D:||b|.txt");
  EXPECT_EQ(parts("\\\\srv\\share\\x.y.z"), "|\\\\srv\\share\\|x.y|.z");
  EXPECT_EQ(parts("a/b\\c"), "|a/b\\|c|");
  EXPECT_EQ(parts("dir.x\\file"), "|dir.x\\|file|");
  EXPECT_EQ(parts(".htm"), "|||.htm");
  EXPECT_EQ(parts("name."), "||name|.");
  EXPECT_EQ(parts(""), "|||");
}

TEST(FolderOf, StripsOrAddsTheTrailingSeparator) {
  EXPECT_EQ(folderOf("D:\\a\\b.txt", true), "D:\\a");
  EXPECT_EQ(folderOf("D:\\a\\b.txt", false), "D:\\a\\");
  EXPECT_EQ(folderOf("C:\\work\\abc1F.tmp.\\project.hhp", true), "C:\\work\\abc1F.tmp.");
  EXPECT_EQ(folderOf("D:\\a\\", true), "D:\\a");
  EXPECT_EQ(folderOf("D:x.chm", false), "D:\\");
  EXPECT_EQ(folderOf("D:/a/b.txt", false), "D:/a/");
  EXPECT_EQ(folderOf("", true), "");
  EXPECT_EQ(folderOf("", false), "");
  EXPECT_EQ(folderOf("b.txt", false), "");
  EXPECT_EQ(folderOf("b.txt", true), "");
}

TEST(FileNameOf, KeepsNameAndExtension) {
  EXPECT_EQ(fileNameOf("D:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(fileNameOf("C:\\Help\\My Manual.v2.chm"), "My Manual.v2.chm");
  EXPECT_EQ(fileNameOf("D:\\a\\"), "");
  EXPECT_EQ(fileNameOf("plain"), "plain");
  EXPECT_EQ(fileNameOf(""), "");
}

TEST(WithLeadingDot, AddsOnePeriodOnlyWhenMissing) {
  EXPECT_EQ(withLeadingDot("chm"), ".chm");
  EXPECT_EQ(withLeadingDot(".chm"), ".chm");
  EXPECT_EQ(withLeadingDot("..x"), "..x");
  EXPECT_EQ(withLeadingDot(""), "");
}

TEST(TextModeBytes, ExpandsEveryLineFeed) {
  EXPECT_EQ(textModeBytes("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(textModeBytes("\r\n\r"), "\r\r\n\r");
  EXPECT_EQ(textModeBytes(""), "");
  EXPECT_EQ(textModeBytes(std::string("x\0\ny", 4)), std::string("x\0\r\ny", 5));
}

}  // namespace
}  // namespace t2c
