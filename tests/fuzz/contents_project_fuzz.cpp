// libFuzzer target: the contents and project files of random trees (repeated ids, cycles,
// unknown parents and kinds, exclusions, labels and titles of any bytes). No value may leave its
// line or attribute, the project keeps its three sections, and the contents list every listed
// node once, never closing more lists than it opened.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "pictures/picture_table.h"
#include "project/article_naming.h"
#include "project/contents_file.h"
#include "project/project_file.h"

namespace {

size_t count(const std::string& text, const std::string& piece) {
  size_t found = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++found;
  return found;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    result.push_back(text.substr(start, end - start));
  result.push_back(text.substr(start));
  return result;
}

void checkProject(const std::string& project, size_t listedFiles) {
  std::vector<std::string> sections;
  size_t filesLines = 0;
  for (const std::string& line : lines(project)) {
    if (line.find('\r') != std::string::npos) std::abort();
    if (!line.empty() && line[0] == '[') sections.push_back(line);
    else if (sections.size() == 1 && !line.empty() && line.find('=') == std::string::npos) std::abort();
    else if (sections.size() == 2 && !line.empty()) ++filesLines;
  }
  if (sections != std::vector<std::string>{"[OPTIONS]", "[FILES]", "[INFOTYPES]"}) std::abort();
  if (filesLines > listedFiles) std::abort();
}

void checkContents(const std::string& contents, size_t listedNodes) {
  if (count(contents, "<UL>") < count(contents, "</UL>")) std::abort();
  if (count(contents, "<LI> ") != listedNodes) std::abort();
  for (const std::string& line : lines(contents)) {
    if (line.find('\r') != std::string::npos) std::abort();
    // A parameter line holds its two attributes whole: four double quotes, no more.
    if (line.find("<param ") != std::string::npos && count(line, "\"") != 4) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  std::vector<std::unique_ptr<t2c::ExportNode>> owned;
  std::vector<t2c::ExportNode*> nodes;
  const uint32_t nodeCount = input.Below(48);
  for (uint32_t i = 0; i < nodeCount; ++i) {
    auto node = std::make_unique<t2c::ExportNode>();
    node->id = static_cast<int32_t>(input.Below(20));
    node->parentId = static_cast<int32_t>(input.Below(22)) - 1;
    node->kind = static_cast<int32_t>(input.Below(t2c::kThirdContainer + 3));  // two kinds no host sends
    node->excluded = input.Below(4) == 0;
    node->header = input.Text(24);
    nodes.push_back(node.get());
    owned.push_back(std::move(node));
  }
  t2c::ExportJob job;
  job.fullTextSearch = input.Flag();
  job.convertHtml = static_cast<int32_t>(input.Below(t2c::kRtfModeCount));
  job.plainTextAsHtml = input.Flag();
  job.firstArticleId = static_cast<int32_t>(input.Below(22)) - 1;
  job.title = input.Text();
  job.description = input.Text();
  for (uint32_t k = input.Below(3); k > 0; --k) job.pictureFiles.push_back(t2c::pictureFileName(static_cast<int32_t>(k)));
  const std::string language = input.Text(16);

  t2c::NodeTree tree;
  t2c::fillNodeTree(tree, nodes);
  t2c::ExportRun run(tree, "C:\\work", job);
  t2c::assignArticleNames(run);
  struct Listing {
    int32_t convertHtml;
    size_t nodes;
  } listing{job.convertHtml, 0};
  t2c::walkTree(tree, tree.Root(), [](t2c::TreeItem* item, void* context) {
    auto& listing = *static_cast<Listing*>(context);
    const t2c::ExportNode& node = *item->node;
    if (!node.excluded && !(node.kind == t2c::kRichText && listing.convertHtml == t2c::kRtfSkip)) ++listing.nodes;
    return true;
  }, &listing);
  t2c::collectContentsItems(run);
  checkContents(t2c::contentsFileText(run), listing.nodes);
  checkProject(t2c::projectFileText(job, run, "C:\\work\\content.hhc", language),
               run.fileList.size() + job.pictureFiles.size());
  return 0;
}
