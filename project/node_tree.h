// The export's tree of nodes: what the main window's tree control shows and every build pass walks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/export_node.h"

namespace t2c {

struct TreeItem {
  std::string label;  // the header as shown; the user may rename it
  ExportNode* node = nullptr;  // not owned
  TreeItem* parent = nullptr;
  TreeItem* firstChild = nullptr;
  TreeItem* nextSibling = nullptr;
  TreeItem* lastChild = nullptr;
};

class NodeTree {
 public:
  NodeTree() = default;
  NodeTree(const NodeTree&) = delete;
  NodeTree& operator=(const NodeTree&) = delete;

  // The first top-level item, or none for an empty tree.
  TreeItem* Root() const { return root_; }
  size_t Count() const { return items_.size(); }
  void Clear();
  // Adds an item labelled with the node's header as the last child of `parent`, or at the
  // top level when `parent` is none.
  TreeItem* Insert(ExportNode* node, TreeItem* parent);
  // The first item in pre-order whose node has this id, or none. The first search after a change
  // of the tree indexes it in one walk; the ids of its nodes must not change after that.
  TreeItem* FindById(int32_t id) const;

 private:
  std::vector<std::unique_ptr<TreeItem>> items_;
  TreeItem* root_ = nullptr;
  TreeItem* lastTop_ = nullptr;
  mutable std::unordered_map<int32_t, TreeItem*> byId_;
  mutable bool indexed_ = false;
};

// Fills the tree from the nodes in arrival order: the first node is the root (its parentId is
// set to its id), and every container receives, in arrival order, the non-root nodes whose
// parentId is its id. Each node appears at most once, so repeated ids cannot loop.
void fillNodeTree(NodeTree& tree, const std::vector<ExportNode*>& nodes);

// The nodes the tree could not place (their parent is no container of the export, or not in it
// at all), in arrival order: they have no item, so no article.
std::vector<const ExportNode*> unplacedNodes(const NodeTree& tree, const std::vector<ExportNode*>& nodes);

// Visits `start` and its descendants in pre-order; the walk ends as soon as a visitor returns false.
using TreeVisitor = bool (*)(TreeItem* item, void* context);
void walkTree(const NodeTree& tree, TreeItem* start, TreeVisitor visitor, void* context);

// The same walk, telling each item's depth below `start` (0 for `start` itself).
using DepthVisitor = bool (*)(TreeItem* item, uint32_t depth, void* context);
void walkTreeWithDepths(const NodeTree& tree, TreeItem* start, DepthVisitor visitor, void* context);

// The number of parent steps from the item up to the root item; a walk that needs the depth of
// every item takes it from walkTreeWithDepths instead of climbing from each.
uint32_t itemDepth(const TreeItem* item);

}  // namespace t2c
