// The tree control 3000 as the view of the export's tree model: it shows the model's items with
// their images and marks, and turns the user's edits into changes of the model.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "project/node_tree.h"
#include "ui/window_rules.h"

namespace t2c {

// The tree's images: the container icon, the system's icons of .txt, .rtf, .htm and .mht, then
// room for the given number of distinct node icons.
HIMAGELIST createNodeImages(size_t nodeIcons, COLORREF background);

class NodeTreeView {
 public:
  NodeTreeView() = default;
  NodeTreeView(const NodeTreeView&) = delete;
  NodeTreeView& operator=(const NodeTreeView&) = delete;
  ~NodeTreeView();

  // The deepest level the control shows. Windows' tree view walks its levels recursively (when
  // it deletes them, for one), so a document nested thousands deep would overflow the host's
  // stack; the levels below stay in the model and in the help file.
  static constexpr uint32_t kShownLevels = 500;
  // Documents of up to this many nodes go into the control whole. A larger one gets the root's
  // children at first and every item's children when it is first expanded: Wine's control
  // searches all its items for each item it is sent, so filling it whole grows with the square.
  static constexpr size_t kFilledAtOnce = 10000;

  void Attach(HWND tree, HWND owner);
  // Builds the model from the nodes and shows it (see kFilledAtOnce); a node's own icon is
  // appended to `images` when its item is first shown.
  void Fill(const std::vector<ExportNode*>& nodes, HIMAGELIST images);
  // The items just below the shown levels, in walk order: each stands for itself and its subtree.
  const std::vector<const TreeItem*>& UnshownItems() const { return unshown_; }

  const NodeTree& Model() const { return model_; }
  TreeItem* Selected() const;
  TreeItem* FirstArticle() const { return firstArticle_; }

  // Bolds the host's current node, expands its ancestors and selects it; nothing when the tree
  // does not show that node.
  void MarkHostCurrentNode();
  void SetFirstArticle(TreeItem* item);
  // Shows every item cut exactly while its node is excluded, and repaints.
  void ShowMarks();

  // Applies the conversion mode's marks (see ExclusionMarks) and shows them; returns the number
  // of RTF nodes the mode skips.
  int32_t ApplyMode(int32_t convertHtml);
  void ToggleSelectedExclusion();
  void IncludeAll();
  void RenameSelected();
  void ShowSelectedInHost();
  bool IsEditingLabel() const;
  void EndLabelEditKeepingText();

  // Sets the node menu's enabled and checked states for the current selection.
  void UpdateMenu(HMENU menu) const;
  // Handles the tree's notifications; true when handled, with the result to return.
  bool OnNotify(const NMHDR& header, LRESULT& result);

 private:
  HTREEITEM HandleOf(const TreeItem* item) const;
  // Puts the item into the control under `parent` after `after` (first when null), with its
  // image and marks, and a button when it has children to show later.
  HTREEITEM Show(TreeItem* item, HTREEITEM parent, HTREEITEM after, uint32_t level);
  // Puts the children of a shown item into the control, once.
  void ShowChildren(const TreeItem* item);
  // Shows the children of each of the item's ancestors, from the root down; the item's handle,
  // or null below the shown levels.
  HTREEITEM Reveal(const TreeItem* item);
  static TreeItem* ItemOf(LPARAM param) { return reinterpret_cast<TreeItem*>(param); }
  LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw);
  void OnRightClick();
  void AcceptLabel(TreeItem* item, const std::string& label);

  HWND tree_ = nullptr;
  HWND owner_ = nullptr;
  NodeTree model_;
  ExclusionMarks marks_;
  // Each shown item's handle and whether it is shown cut: only a changed mark is sent to the
  // control, whose every item message costs a search of all its items under Wine.
  struct ShownItem {
    HTREEITEM handle;
    bool cut;
    uint32_t level;
    bool childrenShown;
  };
  std::unordered_map<const TreeItem*, ShownItem> handles_;
  HIMAGELIST images_ = nullptr;
  // Nodes that share an icon share its image.
  std::unordered_map<HICON, int> imageOf_;
  std::vector<const TreeItem*> unshown_;
  TreeItem* firstArticle_ = nullptr;
  HFONT strikeOutFont_ = nullptr;
};

}  // namespace t2c
