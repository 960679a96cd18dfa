// Option rules and tree marks of the main window, on the tree model alone.
#include "ui/window_rules.h"

#include "project/export_job.h"

namespace t2c {

namespace {

struct Marking {
  std::unordered_set<const TreeItem*>* byUser;
  bool skip;
  uint8_t state;
  int32_t skipped;
};

bool markRtfNode(TreeItem* item, void* context) {
  auto* marking = static_cast<Marking*>(context);
  if (item->node && item->node->kind == kRichText) {
    item->node->excluded = marking->skip || marking->byUser->count(item) ? 1 : 0;
    if (marking->skip) ++marking->skipped;
  }
  return true;
}

bool setExclusion(TreeItem* item, void* context) {
  auto* marking = static_cast<Marking*>(context);
  if (item->node) item->node->excluded = marking->state;
  if (marking->state)
    marking->byUser->insert(item);
  else
    marking->byUser->erase(item);
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

int32_t ExclusionMarks::ApplyMode(const NodeTree& tree, int32_t convertHtml) {
  Marking marking{&byUser_, convertHtml == kRtfSkip, 0, 0};
  walkTree(tree, tree.Root(), markRtfNode, &marking);
  return marking.skipped;
}

bool ExclusionMarks::Toggle(const NodeTree& tree, TreeItem* item) {
  if (!item || !item->node) return false;
  Marking marking{&byUser_, false, static_cast<uint8_t>(item->node->excluded ? 0 : 1), 0};
  walkTree(tree, item, setExclusion, &marking);
  return marking.state != 0;
}

void ExclusionMarks::IncludeAll(const NodeTree& tree) {
  Marking marking{&byUser_, false, 0, 0};
  walkTree(tree, tree.Root(), setExclusion, &marking);
  byUser_.clear();
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
