// Node lifetime: a node owns its icon and destroys it through the installed destroyer.
#include "model/export_node.h"

namespace t2c {

namespace {
IconDestroyer g_iconDestroyer = nullptr;
}

IconDestroyer setIconDestroyer(IconDestroyer destroyer) {
  IconDestroyer previous = g_iconDestroyer;
  g_iconDestroyer = destroyer;
  return previous;
}

ExportNode::~ExportNode() {
  if (icon && g_iconDestroyer) g_iconDestroyer(icon);
}

}  // namespace t2c
