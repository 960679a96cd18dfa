// Builds a tree whose size grows with the scale and runs one tree step on it, for instruction_growth.py.
// tree_growth_driver CASE SCALE; exits non-zero when the step's result is not what the tree holds.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "project/contents_file.h"
#include "project/node_tree.h"

namespace t2c {
namespace {

class Nodes {
 public:
  void Add(int32_t id, int32_t parentId, int32_t kind) {
    owned_.push_back(std::make_unique<ExportNode>());
    ExportNode& node = *owned_.back();
    node.id = id;
    node.parentId = parentId;
    node.kind = kind;
    node.header = "n" + std::to_string(id);
    list.push_back(&node);
  }
  std::vector<ExportNode*> list;

 private:
  std::vector<std::unique_ptr<ExportNode>> owned_;
};

size_t countOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

// The contents of a chain of folders, each inside the one before.
bool chainContents(int n) {
  Nodes nodes;
  nodes.Add(0, 0, kContainer);
  for (int i = 1; i <= n; ++i) nodes.Add(i, i - 1, kContainer);
  NodeTree tree;
  fillNodeTree(tree, nodes.list);
  ExportJob job;
  ExportRun run(tree, "C:\\work", job);
  collectContentsItems(run);
  return countOf(run.contentsItems, "<LI>") == static_cast<size_t>(n) + 1 && run.openLists == n + 1;
}

// Folders that all share one id, and notes naming that id as their parent.
bool repeatedIds(int n) {
  Nodes nodes;
  nodes.Add(1, 1, kContainer);
  for (int i = 0; i < n; ++i) nodes.Add(2, 1, kSecondContainer);
  for (int i = 0; i < n; ++i) nodes.Add(3, 2, kPlainText);
  NodeTree tree;
  fillNodeTree(tree, nodes.list);
  return tree.Count() == 2 * static_cast<size_t>(n) + 1;
}

// Every node of a tree of folders and notes looked up by its id.
bool findEveryId(int n) {
  Nodes nodes;
  nodes.Add(0, 0, kContainer);
  for (int i = 1; i <= n; ++i) nodes.Add(i, i % 10 == 1 ? 0 : (i - 1) / 10 * 10 + 1, i % 10 == 1 ? 5 : 0);
  NodeTree tree;
  fillNodeTree(tree, nodes.list);
  for (int i = 0; i <= n; ++i) {
    const TreeItem* item = tree.FindById(i);
    if (!item || item->node->id != i) return false;
  }
  return tree.Count() == static_cast<size_t>(n) + 1 && tree.FindById(n + 1) == nullptr;
}

}  // namespace
}  // namespace t2c

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tree_growth_driver chain-contents|repeated-ids|find-every-id SCALE\n");
    return 2;
  }
  const std::string kind = argv[1];
  const int scale = std::atoi(argv[2]);
  if (kind == "chain-contents") return t2c::chainContents(5000 * scale) ? 0 : 1;
  if (kind == "repeated-ids") return t2c::repeatedIds(1000 * scale) ? 0 : 1;
  if (kind == "find-every-id") return t2c::findEveryId(1000 * scale) ? 0 : 1;
  std::fprintf(stderr, "unknown case %s\n", argv[1]);
  return 2;
}
