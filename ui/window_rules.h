// The main window's decisions: the option rules, the marks on the tree and the node menu's states.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "project/node_tree.h"

namespace t2c {

// Syntax highlighting needs a host of this build or later.
constexpr int32_t kFirstSyntaxBuild = 1944;

// What the converter check changes when the converter library is missing.
struct ConverterFallback {
  bool passed = true;
  bool uncheckRtfToHtml = false;  // and check "Make article as RTF file" instead
  bool uncheckPlainAsHtml = false;
};
ConverterFallback converterFallback(bool rtfToHtml, bool plainAsHtml, bool converterFound);

// The restart question comes when syntax highlighting was off at opening, is on now, and
// formatted text goes to HTML.
bool restartQuestionNeeded(bool syntaxAtOpening, bool syntaxNow, int32_t convertHtml);
// Pictures are taken out of formatted text only when it goes to HTML.
bool picturesWanted(int32_t pictures, int32_t convertHtml);

// The nodes' exclusion marks: those the user sets through the node menu, and those of the mode
// that skips formatted text. A change of mode never undoes the user's own exclusions.
class ExclusionMarks {
 public:
  // RTF nodes are excluded while the mode skips formatted text or the user excluded them, and
  // included otherwise; returns the number the mode skips. Other nodes keep their marks.
  int32_t ApplyMode(const NodeTree& tree, int32_t convertHtml);
  // Excludes the item and its descendants, or includes them when the item is excluded; returns
  // the new state.
  bool Toggle(const NodeTree& tree, TreeItem* item);
  void IncludeAll(const NodeTree& tree);

 private:
  std::unordered_set<const TreeItem*> byUser_;
};

struct MenuItemState {
  bool enabled = false;
  bool checked = false;
};
struct NodeMenuStates {
  MenuItemState rename, showInHost, firstArticle, exclude, includeAll;
};
NodeMenuStates nodeMenuStates(const NodeTree& tree, const TreeItem* selected, const TreeItem* firstArticle);

}  // namespace t2c
