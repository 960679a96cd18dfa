// Test trees made from node lists.
#include "support/tree_fixture.h"

#include <stdexcept>

namespace t2c {

ExportNode& TreeFixture::Add(int id, int parentId, int kind, const std::string& header) {
  nodes_.push_back(std::make_unique<ExportNode>());
  ExportNode& n = *nodes_.back();
  n.id = id;
  n.parentId = parentId;
  n.kind = kind;
  n.header = header;
  return n;
}

void TreeFixture::Fill() { fillNodeTree(tree, Nodes()); }

std::vector<ExportNode*> TreeFixture::Nodes() const {
  std::vector<ExportNode*> out;
  for (const auto& n : nodes_) out.push_back(n.get());
  return out;
}

ExportNode& TreeFixture::Node(int id) {
  for (auto& n : nodes_)
    if (n->id == id) return *n;
  throw std::out_of_range("no node " + std::to_string(id));
}

namespace {
bool appendLabel(TreeItem* item, uint32_t depth, void* context) {
  auto& out = *static_cast<std::string*>(context);
  if (!out.empty()) out += "|";
  out += std::string(depth, '.') + item->label;
  return true;
}
}  // namespace

std::string TreeFixture::Outline() const {
  std::string out;
  walkTreeWithDepths(tree, tree.Root(), appendLabel, &out);
  return out;
}

}  // namespace t2c
