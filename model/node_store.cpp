// Node store: arrival order, ownership and clearing.
#include "model/node_store.h"

namespace t2c {

NodeStore& NodeStore::Instance() {
  static NodeStore store;
  return store;
}

NodeStore::~NodeStore() { Clear(); }

void NodeStore::Clear() {
  for (ExportNode* node : nodes_) delete node;
  nodes_.clear();
}

void NodeStore::Append(std::unique_ptr<ExportNode> node) {
  // The slot is made first, so a failed allocation leaves the node with its owner; the store
  // skips the null entry when it clears.
  nodes_.push_back(nullptr);
  nodes_.back() = node.release();
}

}  // namespace t2c
