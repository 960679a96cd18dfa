// The per-node call's copy of what the host hands over for one node.
#pragma once

#include <memory>

#include "model/export_node.h"
#include "plugin/host_records_win.h"

namespace t2c {

// A node of the plug-in's own: header, text, ids and kind copied, and a kept copy of the icon,
// which outlives the host's. A null header or text gives an empty one.
std::unique_ptr<ExportNode> copyNode(const NodeInfo& info);

}  // namespace t2c
