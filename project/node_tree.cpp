// Tree model: filling from the node list, search by id, pre-order walks and depth, without any window.
#include "project/node_tree.h"

#include <unordered_set>
#include <utility>

namespace t2c {

void NodeTree::Clear() {
  items_.clear();
  root_ = nullptr;
  lastTop_ = nullptr;
  byId_.clear();
  indexed_ = false;
}

TreeItem* NodeTree::Insert(ExportNode* node, TreeItem* parent) {
  items_.push_back(std::make_unique<TreeItem>());
  TreeItem* item = items_.back().get();
  item->node = node;
  item->label = node ? node->header : std::string();
  item->parent = parent;
  indexed_ = false;
  if (parent) {
    if (parent->lastChild)
      parent->lastChild->nextSibling = item;
    else
      parent->firstChild = item;
    parent->lastChild = item;
  } else {
    if (lastTop_)
      lastTop_->nextSibling = item;
    else
      root_ = item;
    lastTop_ = item;
  }
  return item;
}

TreeItem* NodeTree::FindById(int32_t id) const {
  if (!indexed_) {
    // One walk for all searches until the tree changes; a walk per search made looking up every
    // item cost the square of the tree. The first item in pre-order keeps an id that repeats.
    byId_.clear();
    walkTree(*this, root_, [](TreeItem* item, void* context) {
      if (item->node) static_cast<std::unordered_map<int32_t, TreeItem*>*>(context)->emplace(item->node->id, item);
      return true;
    }, &byId_);
    indexed_ = true;
  }
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

void fillNodeTree(NodeTree& tree, const std::vector<ExportNode*>& nodes) {
  tree.Clear();
  if (nodes.empty() || !nodes.front()) return;
  ExportNode* rootNode = nodes.front();
  if (rootNode->parentId != rootNode->id) rootNode->parentId = rootNode->id;

  // Children of each parent id, in arrival order; one pass instead of a scan per container.
  std::unordered_map<int32_t, std::vector<ExportNode*>> children;
  for (ExportNode* node : nodes)
    if (node && !isRoot(*node)) children[node->parentId].push_back(node);

  std::unordered_set<const ExportNode*> placed{rootNode};
  struct Pending {
    TreeItem* item;
    int32_t key;
  };
  std::vector<Pending> pending{{tree.Insert(rootNode, nullptr), rootNode->parentId}};
  while (!pending.empty()) {
    Pending current = pending.back();
    pending.pop_back();
    auto found = children.find(current.key);
    if (found == children.end()) continue;
    // The first container of an id places all the nodes naming it; containers repeating the id
    // would only find them placed, so each list is scanned once.
    const std::vector<ExportNode*> list = std::move(found->second);
    children.erase(found);
    for (ExportNode* child : list) {
      if (!placed.insert(child).second) continue;
      TreeItem* item = tree.Insert(child, current.item);
      if (isContainer(*child)) pending.push_back({item, child->id});
    }
  }
}

std::vector<const ExportNode*> unplacedNodes(const NodeTree& tree, const std::vector<ExportNode*>& nodes) {
  std::unordered_set<const ExportNode*> placed;
  walkTree(tree, tree.Root(), [](TreeItem* item, void* context) {
    static_cast<std::unordered_set<const ExportNode*>*>(context)->insert(item->node);
    return true;
  }, &placed);
  std::vector<const ExportNode*> unplaced;
  for (const ExportNode* node : nodes)
    if (node && !placed.count(node)) unplaced.push_back(node);
  return unplaced;
}

namespace {

// Pre-order without recursion, counting the steps down and up for the depth.
template <typename Visit>
void walkFrom(TreeItem* start, Visit visit) {
  TreeItem* item = start;
  uint32_t depth = 0;
  while (item) {
    if (!visit(item, depth)) return;
    if (item->firstChild) {
      item = item->firstChild;
      ++depth;
      continue;
    }
    // Climb until an ancestor below `start` has a next sibling.
    while (item != start && !item->nextSibling) {
      item = item->parent;
      --depth;
    }
    if (item == start) return;
    item = item->nextSibling;
  }
}

}  // namespace

void walkTree(const NodeTree&, TreeItem* start, TreeVisitor visitor, void* context) {
  walkFrom(start, [visitor, context](TreeItem* item, uint32_t) { return visitor(item, context); });
}

void walkTreeWithDepths(const NodeTree&, TreeItem* start, DepthVisitor visitor, void* context) {
  walkFrom(start, [visitor, context](TreeItem* item, uint32_t depth) { return visitor(item, depth, context); });
}

uint32_t itemDepth(const TreeItem* item) {
  uint32_t depth = 0;
  for (; item && item->parent; item = item->parent) ++depth;
  return depth;
}

}  // namespace t2c
