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
  nodes_.reserve(nodes_.size() + 1);
  nodes_.push_back(node.release());
}

}  // namespace t2c
