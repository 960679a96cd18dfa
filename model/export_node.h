// One collected node of an export: a self-contained copy of the host's node plus the build's state for it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/node_kinds.h"

namespace t2c {

// Opaque icon handle; the Windows layer owns the real type and decides how to destroy it.
using IconHandle = void*;
using IconDestroyer = void (*)(IconHandle);

// Installs the function that destroys node icons (the Windows layer sets DestroyIcon); returns the previous one.
IconDestroyer setIconDestroyer(IconDestroyer destroyer);

// Picture file name and the placeholder text that stands for it in the node's text.
using PictureEntry = std::pair<std::string, std::string>;

struct ExportNode {
  std::string header;
  std::string text;
  std::string fileName;
  uint8_t excluded = 0;
  int32_t id = -1;
  int32_t parentId = -1;
  int32_t kind = kPlainText;
  IconHandle icon = nullptr;  // owned
  std::vector<PictureEntry> pictures;

  ExportNode() = default;
  ~ExportNode();
  ExportNode(const ExportNode&) = delete;
  ExportNode& operator=(const ExportNode&) = delete;
};

inline bool isContainer(const ExportNode& node) { return isContainerKind(node.kind); }

inline bool isRoot(const ExportNode& node) { return node.id == node.parentId; }

}  // namespace t2c
