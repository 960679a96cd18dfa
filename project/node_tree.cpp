// Tree model: filling from the node list, search by id, pre-order walks and depth, without any window.
#include "project/node_tree.h"

#include <unordered_map>
#include <unordered_set>

namespace t2c {

void NodeTree::Clear() {
  items_.clear();
  root_ = nullptr;
  lastTop_ = nullptr;
}

TreeItem* NodeTree::Insert(ExportNode* node, TreeItem* parent) {
  items_.push_back(std::make_unique<TreeItem>());
  TreeItem* item = items_.back().get();
  item->node = node;
  item->label = node ? node->header : std::string();
  item->parent = parent;
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

namespace {

struct FindContext {
  int32_t id;
  TreeItem* found;
};

bool matchId(TreeItem* item, void* context) {
  auto* find = static_cast<FindContext*>(context);
  if (item->node && item->node->id == find->id) {
    find->found = item;
    return false;
  }
  return true;
}

}  // namespace

TreeItem* NodeTree::FindById(int32_t id) const {
  FindContext find{id, nullptr};
  walkTree(*this, root_, matchId, &find);
  return find.found;
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
    for (ExportNode* child : found->second) {
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
