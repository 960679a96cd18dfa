// Node icons kept once per distinct picture, so that a document whose nodes share a few icons
// costs a few user objects, not one per node.
#pragma once

#include <windows.h>

#include <cstddef>

#include "model/export_node.h"

namespace t2c {

// A handle the node owns for the host's icon, or null when it cannot be copied. Nodes whose icons
// show the same picture share one copy; the host's icon may be destroyed afterwards.
IconHandle keepNodeIcon(HICON hostIcon);

// The icon behind a kept handle, for drawing; it lives as long as any node holds the handle.
HICON keptIconImage(IconHandle kept);

// The node's share of its icon ends; the copy goes with the last share. The store's destroyer.
void releaseNodeIcon(IconHandle kept);

// How many distinct icons are held now.
size_t keptIconCount();

}  // namespace t2c
