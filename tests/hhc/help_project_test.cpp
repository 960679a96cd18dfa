// Reading project files as the plug-in and HTML Help Workshop users write them; languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chm/help_project.h"

namespace chm {
namespace {

TEST(HelpProjectTest, ReadsWholeProjects) {
  HelpProject plugin;
  plugin.files = {"file0.htm", "file1.txt", "Picture_1.bmp"};
  plugin.binaryIndex = plugin.autoIndex = plugin.showProgress = true;
  plugin.compatibility = "1.1 or later", plugin.compiledFile = "tessaly2chm.chm", plugin.contentsFile = "content.hhc";
  plugin.defaultTopic = "file0.htm", plugin.language = "0x419 Russian", plugin.title = "Notes [files=3; more]";
  EXPECT_EQ(readHelpProject("[OPTIONS]\r\nBinary Index=Yes\r\nAuto Index=Yes\r\nCompatibility=1.1 or later\r\n"
                            "Compiled file=tessaly2chm.chm\r\nDisplay compile progress=Yes\r\n"
                            "Contents file=content.hhc\r\nFull-text search=No\r\nDefault topic=file0.htm\r\n"
                            "Language=0x419 Russian\r\nTitle=Notes [files=3; more]\r\n\r\n[FILES]\r\nfile0.htm\r\n"
                            "file1.txt\r\nPicture_1.bmp\r\n\r\n[INFOTYPES]\r\nCategory:New\r\nCategoryDesc: "),
            plugin);

  // By hand: any letter case, blanks, comments, unknown keys and sections, "\" between folders,
  // a name listed twice in other letters or separators, options after the files.
  HelpProject hand;
  hand.files = {"Index.HTM", "pages\\one.htm", "pages/Two.htm", "a b.htm"};
  hand.compiledFile = "out\\manual.chm", hand.title = "= first", hand.language = "0x407", hand.indexFile = "index.hhk";
  hand.fullTextSearch = true;
  EXPECT_EQ(readHelpProject("; made by hand\n[options]\n  compiled FILE = out\\manual.chm \nFULL-TEXT SEARCH=yes\n"
                            "Title= = first\nError log file=log.txt\nDisplay compile progress=No\n[WINDOWS]\n"
                            "main=\"x\",,,\n[Files]\nIndex.HTM\n; pages\\skipped.htm\n  pages\\one.htm  \n"
                            "pages/Two.htm\nindex.htm\nPAGES/ONE.HTM\n.\\pages\\two.htm\na b.htm\n\n"
                            "[INFOTYPES]\nnot a file.htm\n[OPTIONS]\nLanguage=0x407\nIndex file=index.hhk"),
            hand);

  EXPECT_EQ(readHelpProject(""), HelpProject());
  EXPECT_EQ(readHelpProject("Compiled file=x.chm\nfile0.htm\n[FILES"), HelpProject());
  EXPECT_TRUE(isYes(" YES ") && isYes("1") && !isYes("No") && !isYes("") && !isYes("Yes please"));
}

TEST(HelpProjectTest, LanguagesAndTheirCodePages) {
  struct Case {
    const char* language;
    uint32_t lcid;
    unsigned codePage;
  };
  const Case cases[] = {
      {"0x409 English (United States)", 0x409, 1252}, {"0x419 Russian", 0x419, 1251}, {"0x405", 0x405, 1250},
      {"0x408 Greek", 0x408, 1253}, {"0x41F Turkish", 0x41F, 1254}, {"0x40d", 0x40D, 1255},
      {"0x401 Arabic", 0x401, 1256}, {"0x426 Latvian", 0x426, 1257}, {"0x42a", 0x42A, 1258},
      {"0x41e Thai", 0x41E, 874}, {"0x411 Japanese", 0x411, 932}, {"0x804 Chinese (PRC)", 0x804, 936},
      {"0x412 Korean", 0x412, 949}, {"0xc04", 0xC04, 950}, {"0x404", 0x404, 950}, {"0x81a", 0x81A, 1250},
      {"0xC1A Serbian (Cyrillic)", 0xC1A, 1251}, {"0x843", 0x843, 1251}, {"0x443", 0x443, 1254},
      {"1049 Russian", 0x419, 1251}, {"0x439 Hindi", 0x439, 0}, {"", 0x409, 1252}, {"Russian", 0x409, 1252},
      {"0x", 0x409, 1252}, {"0x123456789", 0x409, 1252}, {"0x0", 0x409, 1252}};
  for (const Case& c : cases) {
    EXPECT_EQ(languageId(c.language), c.lcid) << c.language;
    EXPECT_EQ(ansiCodePage(languageId(c.language)), c.codePage) << c.language;
  }
}

TEST(HelpProjectTest, NamesInTheHelpFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"file0.htm", "file0.htm"}, {" pages\\one.htm ", "pages/one.htm"}, {".\\a\\.\\b.htm", "a/b.htm"},
      {"\\root.htm", "root.htm"}, {"a//b.htm", "a/b.htm"},   {"..\\up.htm", ""},
      {"a\\..\\b.htm", ""},       {"C:\\x.htm", ""},          {"folder\\", ""},
      {"", ""},                   {"file1.", "file1."}};
  for (const auto& c : cases) EXPECT_EQ(storedName(c.first), c.second) << c.first;
  EXPECT_EQ(compiledStem("C:\\Work Folder\\Tessaly2CHM.chm"), "tessaly2chm");
  EXPECT_EQ(compiledStem("out/notes.v2.chm"), "notes.v2");
  EXPECT_EQ(compiledStem("plain"), "plain");
}

}  // namespace
}  // namespace chm
