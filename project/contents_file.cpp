// Builds the sitemap text of content.hhc entry by entry from the tree walk.
#include "project/contents_file.h"

#include <algorithm>

namespace t2c {

namespace {

// Whether the item gets an entry: excluded nodes and skipped RTF nodes have none, containers do.
bool isListed(const TreeItem& item, const ExportRun& run) {
  const ExportNode* node = item.node;
  if (node == nullptr || node->excluded) return false;
  return !(node->kind == kRichText && run.job.convertHtml == kRtfSkip);
}

// An entry holds a list when its item may have children: every container, and a root note, which
// receives the other nodes of a branch below it.
bool opensList(const TreeItem& item) { return isContainer(*item.node) || item.firstChild != nullptr; }

bool appendEntry(TreeItem* item, uint32_t depth, void* context) {
  ExportRun& run = *static_cast<ExportRun*>(context);
  // A list holds the items below its entry: it ends at the first item, listed or not, that is
  // not deeper than the entry, so the contents nest as the tree does without its excluded nodes.
  // The walk counts the depth: climbing from every item of a deep chain cost its square.
  while (!run.openListDepths.empty() && run.openListDepths.back() >= static_cast<int64_t>(depth)) {
    run.openListDepths.pop_back();
    --run.openLists;
    ++run.pendingListCloses;
  }
  if (!isListed(*item, run)) return true;
  const ExportNode& node = *item->node;

  std::string entry;
  for (; run.pendingListCloses > 0; --run.pendingListCloses) entry += "\n</UL>\n";
  entry += "<LI> <OBJECT type=\"text/sitemap\">";
  entry += "\n\t" + sitemapParam("Name", sitemapLabel(item->label));
  if (!node.fileName.empty()) entry += "\n\t" + sitemapParam("Local", sitemapLabel(node.fileName));
  entry += "\n\t</OBJECT>";
  if (opensList(*item)) {
    entry += "\n<UL>\n";
    run.openListDepths.push_back(depth);
    ++run.openLists;
  }
  run.contentsItems += "\n" + entry;
  return true;
}

}  // namespace

std::string sitemapLabel(const std::string& text) {
  std::string value;
  value.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      value += ' ';  // a line end would let the text leave its attribute for the next line
    } else if (c == '"') {
      value += '\'';  // as the compiler has always been given quotes
    } else if (c == '&') {
      value += "&amp;";
    } else if (c == '<') {
      value += "&lt;";
    } else if (c == '>') {
      value += "&gt;";
    } else {
      value += c;
    }
  }
  return value;
}

std::string sitemapParam(const std::string& name, const std::string& value) {
  return "<param name=\"" + name + "\" value=\"" + value + "\">";
}

void collectContentsItems(ExportRun& run) {
  if (run.tree == nullptr) return;
  walkTreeWithDepths(*run.tree, run.tree->Root(), appendEntry, &run);
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
