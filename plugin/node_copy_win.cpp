// Copies a host node record into a node the store owns.
#include "plugin/node_copy_win.h"

#include "plugin/node_icons_win.h"

namespace t2c {

std::unique_ptr<ExportNode> copyNode(const NodeInfo& info) {
  auto node = std::make_unique<ExportNode>();
  if (info.header) node->header = info.header;
  if (info.text) node->text = info.text;
  node->id = info.id;
  node->parentId = info.parentId;
  node->kind = info.kind;
  // The host destroys its own icon when it likes; the tree shows ours until the store is cleared.
  node->icon = keepNodeIcon(info.icon);
  return node;
}

}  // namespace t2c
