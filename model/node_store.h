// The single, ordered collection of the nodes received for the current export; it owns them.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/export_node.h"

namespace t2c {

class NodeStore {
 public:
  // The one store of the loaded library, created empty on first use.
  static NodeStore& Instance();

  NodeStore() = default;
  NodeStore(const NodeStore&) = delete;
  NodeStore& operator=(const NodeStore&) = delete;
  ~NodeStore();

  // Deletes every node in arrival order; the reserved capacity stays.
  void Clear();
  void Append(std::unique_ptr<ExportNode> node);

  size_t Count() const { return nodes_.size(); }
  ExportNode* operator[](size_t index) const { return nodes_[index]; }
  // 0 when the store holds a node, -1 when it is empty.
  int FirstIndex() const { return nodes_.empty() ? -1 : 0; }
  // A non-owning copy of the sequence, for the main window.
  std::vector<ExportNode*> Nodes() const { return nodes_; }

 private:
  std::vector<ExportNode*> nodes_;  // owned
};

}  // namespace t2c
