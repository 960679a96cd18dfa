// The naming pass over the tree.
#include "project/article_naming.h"

namespace t2c {

std::string articleExtension(const ExportNode& node, const ExportRun& run) {
  switch (node.kind) {
    case kPlainText:
      return run.job.plainTextAsHtml ? "htm" : "txt";
    case kWebArchive:
      return "mht";
    case kRichText:
      return run.job.convertHtml == kRtfArticle ? "rtf" : "htm";
    case kHtml:
      return "htm";
    default:
      return "";
  }
}

namespace {

bool nameArticle(TreeItem* item, void* context) {
  auto& run = *static_cast<ExportRun*>(context);
  ExportNode* node = item->node;
  if (!node || node->excluded || isContainer(*node)) return true;
  if (node->kind == kRichText && run.job.convertHtml == kRtfSkip) return true;
  node->fileName = "file" + std::to_string(run.fileCounter) + "." + articleExtension(*node, run);
  ++run.fileCounter;
  return true;
}

}  // namespace

void assignArticleNames(ExportRun& run) {
  walkTree(*run.tree, run.tree->Root(), nameArticle, &run);
}

std::string rtfCompanionName(int32_t nodeId) { return "rtf" + std::to_string(nodeId) + ".rtf"; }

}  // namespace t2c
