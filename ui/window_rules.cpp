// Option rules and tree marks of the main window, on the tree model alone.
#include "ui/window_rules.h"

#include "project/export_job.h"

namespace t2c {

namespace {

struct RtfMarks {
  bool skip;
  int32_t skipped;
};

bool markRtfNode(TreeItem* item, void* context) {
  auto* marks = static_cast<RtfMarks*>(context);
  if (item->node && item->node->kind == kRichText) {
    item->node->excluded = marks->skip ? 1 : 0;
    if (marks->skip) ++marks->skipped;
  }
  return true;
}

bool setExclusion(TreeItem* item, void* context) {
  if (item->node) item->node->excluded = *static_cast<uint8_t*>(context);
  return true;
}

}  // namespace

ConverterFallback converterFallback(bool rtfToHtml, bool plainAsHtml, bool converterFound) {
  ConverterFallback fallback;
  if (converterFound || (!rtfToHtml && !plainAsHtml)) return fallback;
  fallback.passed = false;
  fallback.uncheckRtfToHtml = rtfToHtml;
  fallback.uncheckPlainAsHtml = true;
  return fallback;
}

bool restartQuestionNeeded(bool syntaxAtOpening, bool syntaxNow, int32_t convertHtml) {
  return !syntaxAtOpening && syntaxNow && convertHtml == kRtfToHtml;
}

bool picturesWanted(int32_t pictures, int32_t convertHtml) {
  return pictures != 0 && convertHtml == kRtfToHtml;
}

int32_t applyRtfMarks(const NodeTree& tree, int32_t convertHtml) {
  RtfMarks marks{convertHtml == kRtfSkip, 0};
  walkTree(tree, tree.Root(), markRtfNode, &marks);
  return marks.skipped;
}

bool toggleExclusion(const NodeTree& tree, TreeItem* item) {
  if (!item || !item->node) return false;
  uint8_t state = item->node->excluded ? 0 : 1;
  walkTree(tree, item, setExclusion, &state);
  return state != 0;
}

void includeAll(const NodeTree& tree) {
  uint8_t state = 0;
  walkTree(tree, tree.Root(), setExclusion, &state);
}

NodeMenuStates nodeMenuStates(const NodeTree& tree, const TreeItem* selected, const TreeItem* firstArticle) {
  NodeMenuStates states;
  bool isFirst = selected && selected == firstArticle;
  states.rename = {selected != nullptr, isFirst};
  states.showInHost = {true, false};
  states.firstArticle = {selected != nullptr, isFirst};
  states.exclude = {selected != nullptr && selected != tree.Root(),
                    selected && selected->node && selected->node->excluded != 0};
  states.includeAll = {true, false};
  return states;
}

}  // namespace t2c
