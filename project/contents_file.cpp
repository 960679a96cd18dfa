// Builds the sitemap text of content.hhc entry by entry from the tree walk.
#include "project/contents_file.h"

#include <algorithm>

namespace t2c {

namespace {

// Whether the item gets an entry: excluded nodes and skipped RTF nodes have none, containers do.
bool isListed(const TreeItem& item, const ExportRun& run) {
  const ExportNode* node = item.node;
  if (node == nullptr || node->excluded) return false;
  return !(node->kind == kRichText && run.convertHtml == kRtfSkip);
}

bool appendEntry(TreeItem* item, void* context) {
  ExportRun& run = *static_cast<ExportRun*>(context);
  if (!isListed(*item, run)) return true;
  const ExportNode& node = *item->node;

  std::string entry;
  // Lists opened by containers end where the walk climbs above them.
  const int64_t depth = itemDepth(item);
  while (depth < run.openLists) {
    entry += "\n</UL>\n";
    --run.openLists;
  }
  entry += "<LI> <OBJECT type=\"text/sitemap\">";
  // A double quote would end the value early; the compiler gets an apostrophe instead.
  std::string label = item->label;
  std::replace(label.begin(), label.end(), '"', '\'');
  entry += "\n\t" + sitemapParam("Name", label);
  if (!node.fileName.empty()) entry += "\n\t" + sitemapParam("Local", node.fileName);
  entry += "\n\t</OBJECT>";
  if (isContainer(node)) {
    entry += "\n<UL>\n";
    ++run.openLists;
  }
  run.contentsItems += "\n" + entry;
  return true;
}

}  // namespace

std::string sitemapParam(const std::string& name, const std::string& value) {
  return "<param name=\"" + name + "\" value=\"" + value + "\">";
}

void collectContentsItems(ExportRun& run) {
  if (run.tree == nullptr) return;
  walkTree(*run.tree, run.tree->Root(), appendEntry, &run);
}

std::string contentsFileText(const ExportRun& run) {
  std::string text =
      "<!DOCTYPE HTML PUBLIC '-//IETF//DTD HTML//EN'>"
      "\n<HTML>"
      "\n<HEAD>"
      "\n<meta name='GENERATOR' content='Brenmoor Tessaly and Tessaly2CHM plugin - ";
  text += kHostWebAddress;
  text +=
      "'>"
      "\n<!-- Sitemap 1.0 -->"
      "\n</HEAD>\n<BODY>"
      "\n\t<OBJECT type='text/site properties'>";
  text += "\n" + sitemapParam("name", "New");
  text += "\n" + sitemapParam("CategoryDesc", " ");
  text += "\n</OBJECT>";
  text += "\n<UL>\n";
  text += run.contentsItems;
  text += "\n</UL></BODY></HTML>";
  return text;
}

}  // namespace t2c
