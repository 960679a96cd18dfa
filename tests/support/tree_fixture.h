// Builds node trees for tests from a compact description: nodes are owned by the fixture.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "project/node_tree.h"

namespace t2c {

class TreeFixture {
 public:
  // Adds a node; returns it so tests can adjust it.
  ExportNode& Add(int id, int parentId, int kind, const std::string& header);
  // Fills `tree` from the nodes in the order they were added.
  void Fill();
  std::vector<ExportNode*> Nodes() const;
  ExportNode& Node(int id);
  // Labels of the items in walk order, each indented by its depth: "Docs|.Intro|..Step".
  std::string Outline() const;

  NodeTree tree;

 private:
  std::vector<std::unique_ptr<ExportNode>> nodes_;
};

}  // namespace t2c
