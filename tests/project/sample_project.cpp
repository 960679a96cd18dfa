// Writes a small but complete help project into a fresh work folder, for the compiler round trip.
// Prints the work folder on the first line, then the expected contents outline, one entry a line,
// each label indented by one "." per nesting level.
#include <cstdio>
#include <string>

#include "project/article_naming.h"
#include "project/contents_file.h"
#include "project/file_output_win.h"
#include "project/file_system_win.h"
#include "project/project_writers.h"
#include "project/work_folder_win.h"
#include "support/tree_fixture.h"

namespace t2c {
namespace {

struct Writing {
  ExportRun* run;
  bool ok = true;
};

// Every listed article gets a small page of its own, as the writing pass would leave it.
bool writeArticle(TreeItem* item, void* context) {
  Writing& writing = *static_cast<Writing*>(context);
  const ExportNode& node = *item->node;
  if (node.excluded || isContainer(node)) return true;
  const std::string page = "<html><head><title>" + node.header + "</title></head><body><p>" +
                           node.text + "</p></body></html>\n";
  writing.ok = writing.ok &&
               writeTemporaryTextFile(writing.run->workFolder + "\\" + node.fileName, page);
  writing.run->fileList.push_back(node.fileName);
  return true;
}

int run() {
  TreeFixture f;
  f.Add(1, 1, kContainer, "Docs");
  f.Add(2, 1, kHtml, "Intro").text = "Welcome.";
  f.Add(3, 1, kSecondContainer, "Part one");
  f.Add(4, 3, kHtml, "Step").text = "Do this.";
  f.Add(5, 3, kHtml, "Say \"hello\" & 'bye'").text = "Quoted.";
  f.Add(6, 3, kThirdContainer, "Nested");
  f.Add(7, 6, kHtml, "Deep").text = "Far down.";
  f.Add(8, 1, kHtml, "Hidden").excluded = 1;
  f.Add(9, 1, kSecondContainer, "Empty part");
  f.Add(10, 1, kHtml, "Last").text = "The end.";
  f.Fill();

  ExportJob job;
  job.title = "Round trip";
  job.description = "The file created by Tessaly & Tessaly2CHM plugin";
  const std::string folder = makeWorkFolder();
  if (folder.empty()) return 2;
  ExportRun run(f.tree, folder, job);
  run.files = &windowsFileSystem();
  assignArticleNames(run);
  Writing writing{&run};
  walkTree(f.tree, f.tree.Root(), writeArticle, &writing);
  const std::string contents = writeContentsFile(run);
  const ProjectFileResult project =
      writeProjectFile(job, run, contents, "0x409 English (United States)");
  if (!writing.ok || contents.empty() || project.path.empty()) return 3;

  std::printf("%s\n", folder.c_str());
  std::printf("%s\n", "Docs\n.Intro\n.Part one\n..Step\n..Say 'hello' & 'bye'\n..Nested\n...Deep\n"
                      ".Empty part\n.Last");
  return 0;
}

}  // namespace
}  // namespace t2c

int main() { return t2c::run(); }
