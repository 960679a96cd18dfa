// The writing walk in a host that offers no TLY_ function: plain text goes to the converter as it is.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "convert/article_conversions_win.h"
#include "convert/article_writer.h"
#include "convert/html_passes.h"
#include "project/article_naming.h"
#include "project/file_system_win.h"
#include "project/work_folder_win.h"
#include "support/file_bytes.h"
#include "support/log_lines.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

std::string converterFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + "converters\\in_folder";
}

TEST(ArticleWriterBareHostTest, PlainTextIsConvertedAsItIsWithColourZero) {
  ASSERT_EQ(GetProcAddress(GetModuleHandleA(nullptr), "TLY_ConvertText"), nullptr);
  const std::string work = makeWorkFolder();
  ASSERT_FALSE(work.empty());
  TreeFixture nodes;
  nodes.Add(1, 1, kContainer, "Notes");
  nodes.Add(2, 1, kPlainText, "Plain").text = "just {text}\nhere";
  nodes.Add(3, 1, kPlainText, "Kept").text = "stays";
  nodes.Fill();
  ExportJob job;
  job.plainTextAsHtml = true;
  job.converterPlace = converterFolder();
  LogLines logLines;
  collectLog(job, logLines);
  ExportRun run(nodes.tree, work, job);
  run.files = &windowsFileSystem();
  run.conversions = &windowsArticleConversions();
  assignArticleNames(run);
  walkTree(nodes.tree, nodes.tree.Root(), writeNodeArticle, &run);

  const std::string head = charsetDeclaration(GetACP()) +
                           "\n<html>\r\n<!-- Created by:Tessaly2CHM Plugin by Brenmoor "
                           "http://www.tessaly.example-->\r\nargs=16|000000|0|96\r\nrtf=";
  EXPECT_EQ(fileBytes(work + "\\file0.htm"), head + "just {text}<CR><LF>here\r\n</html>\r\n");
  EXPECT_EQ(fileBytes(work + "\\file1.htm"), head + "stays\r\n</html>\r\n");
  EXPECT_EQ(run.fileList, (std::vector<std::string>{"file0.htm", "file1.htm"}));
  EXPECT_EQ(logLines, (std::vector<std::string>{"Convert to HTML Plain\x85", "Convert to HTML Kept\x85"}));
  removeWorkFolder(work);
}

}  // namespace
}  // namespace t2c
