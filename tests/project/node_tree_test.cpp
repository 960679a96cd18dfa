// Tree model: filling from the node list, walk order, stopping, depths and search.
#include <gtest/gtest.h>

#include <cstdint>

#include "support/tree_fixture.h"

namespace t2c {
namespace {

TEST(NodeTreeFillTest, ChildrenFollowArrivalOrderUnderContainersOnly) {
  TreeFixture f;
  f.Add(1, 0, kContainer, "Root");  // parentId differs: becomes its own parent
  f.Add(2, 1, kPlainText, "Plain");
  f.Add(3, 1, kSecondContainer, "Folder");
  f.Add(4, 2, kPlainText, "Child of plain text");
  f.Add(5, 3, kRichText, "Rtf in folder");
  f.Add(6, 1, kHtml, "Html");
  f.Add(7, 3, kThirdContainer, "Sub folder");
  f.Add(8, 7, kWebArchive, "Archive");
  f.Add(9, 99, kPlainText, "Orphan");
  f.Add(10, 10, kPlainText, "Second root");
  f.Fill();
  EXPECT_EQ(f.Node(1).parentId, 1);
  EXPECT_EQ(f.Outline(),
            "Root|.Plain|.Folder|..Rtf in folder|..Sub folder|...Archive|.Html");
  EXPECT_EQ(f.tree.Count(), 7u);
  EXPECT_EQ(f.tree.Root()->nextSibling, nullptr);
  std::vector<std::string> unplaced;
  for (const ExportNode* node : unplacedNodes(f.tree, f.Nodes())) unplaced.push_back(node->header);
  EXPECT_EQ(unplaced, (std::vector<std::string>{"Child of plain text", "Orphan", "Second root"}));
}

TEST(NodeTreeFillTest, RepeatedIdsCannotLoop) {
  TreeFixture f;
  f.Add(1, 1, kContainer, "Root");
  f.Add(2, 1, kContainer, "A");
  f.Add(2, 2, kContainer, "A again, a root of its own");
  f.Add(1, 2, kContainer, "Same id as the root");
  f.Add(3, 2, kPlainText, "Leaf");
  f.Fill();
  EXPECT_EQ(f.Outline(), "Root|.A|..Same id as the root|..Leaf");
}

TEST(NodeTreeFillTest, EmptyListGivesEmptyTreeAndRefillReplaces) {
  TreeFixture f;
  f.Fill();
  EXPECT_EQ(f.tree.Root(), nullptr);
  EXPECT_EQ(f.Outline(), "");
  f.Add(5, 5, kPlainText, "Only");
  f.Fill();
  f.Fill();
  EXPECT_EQ(f.Outline(), "Only");
  EXPECT_EQ(f.tree.Count(), 1u);
}

TEST(NodeTreeFillTest, LabelsStartAsHeadersAndRenamingLeavesTheHeader) {
  TreeFixture f;
  f.Add(1, 1, kContainer, "Root");
  f.Add(2, 1, kPlainText, "Note");
  f.Fill();
  TreeItem* note = f.tree.FindById(2);
  ASSERT_NE(note, nullptr);
  note->label = "";
  EXPECT_EQ(f.Outline(), "Root|.");
  EXPECT_EQ(f.Node(2).header, "Note");
}

struct Visits {
  std::vector<std::string> labels;
  size_t stopAfter = SIZE_MAX;
};

bool record(TreeItem* item, void* context) {
  auto& v = *static_cast<Visits*>(context);
  v.labels.push_back(item->label);
  return v.labels.size() < v.stopAfter;
}

class WalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Add(1, 1, kContainer, "root");
    f.Add(2, 1, kContainer, "P");
    f.Add(3, 2, kPlainText, "R");
    f.Add(4, 1, kPlainText, "Q");
    f.Fill();
  }
  TreeFixture f;
};

TEST_F(WalkTest, PreOrderWithDepths) {
  Visits v;
  walkTree(f.tree, f.tree.Root(), record, &v);
  EXPECT_EQ(v.labels, (std::vector<std::string>{"root", "P", "R", "Q"}));
  EXPECT_EQ(f.Outline(), "root|.P|..R|.Q");
}

TEST_F(WalkTest, VisitorFalseEndsTheWholeWalk) {
  Visits v;
  v.stopAfter = 3;
  walkTree(f.tree, f.tree.Root(), record, &v);
  EXPECT_EQ(v.labels, (std::vector<std::string>{"root", "P", "R"}));
}

TEST_F(WalkTest, WalkFromAnItemStaysInsideItsSubtree) {
  Visits v;
  walkTree(f.tree, f.tree.FindById(2), record, &v);
  EXPECT_EQ(v.labels, (std::vector<std::string>{"P", "R"}));
  Visits leaf;
  walkTree(f.tree, f.tree.FindById(4), record, &leaf);
  EXPECT_EQ(leaf.labels, (std::vector<std::string>{"Q"}));
  Visits none;
  walkTree(f.tree, nullptr, record, &none);
  EXPECT_TRUE(none.labels.empty());
}

struct DepthVisits {
  std::string seen;
  size_t stopAfter = SIZE_MAX;
};

bool recordDepth(TreeItem* item, uint32_t depth, void* context) {
  auto& v = *static_cast<DepthVisits*>(context);
  v.seen += item->label + std::to_string(depth) + " ";
  return v.seen.size() < v.stopAfter;
}

TEST_F(WalkTest, DepthsCountFromTheStartAndTheWalkStopsLikeThePlainOne) {
  DepthVisits whole;
  walkTreeWithDepths(f.tree, f.tree.Root(), recordDepth, &whole);
  EXPECT_EQ(whole.seen, "root0 P1 R2 Q1 ");
  DepthVisits branch;
  walkTreeWithDepths(f.tree, f.tree.FindById(2), recordDepth, &branch);
  EXPECT_EQ(branch.seen, "P0 R1 ");
  DepthVisits stopped;
  stopped.stopAfter = 9;
  walkTreeWithDepths(f.tree, f.tree.Root(), recordDepth, &stopped);
  EXPECT_EQ(stopped.seen, "root0 P1 ");
  DepthVisits none;
  walkTreeWithDepths(f.tree, nullptr, recordDepth, &none);
  EXPECT_EQ(none.seen, "");
}

TEST_F(WalkTest, FindByIdTakesTheFirstInPreOrder) {
  EXPECT_EQ(f.tree.FindById(3)->label, "R");
  EXPECT_EQ(f.tree.FindById(42), nullptr);
  EXPECT_EQ(itemDepth(f.tree.Root()), 0u);
}

TEST(NodeTreeSearchTest, RepeatedIdsFindTheFirstInPreOrderAndChangesAreFound) {
  TreeFixture f;
  f.Add(1, 1, kContainer, "root");
  f.Add(2, 1, kContainer, "A");
  f.Add(3, 1, kContainer, "B");
  f.Add(7, 2, kPlainText, "under A");
  f.Add(7, 3, kPlainText, "under B");  // made before "under A": B's children are placed first
  f.Add(1, 3, kPlainText, "root's id");
  f.Fill();
  EXPECT_EQ(f.tree.FindById(7)->label, "under A");
  EXPECT_EQ(f.tree.FindById(1)->label, "root");
  EXPECT_EQ(f.tree.FindById(8), nullptr);

  ExportNode& late = f.Add(8, 3, kPlainText, "inserted later");
  f.tree.Insert(&late, f.tree.FindById(3));
  ASSERT_NE(f.tree.FindById(8), nullptr);
  EXPECT_EQ(f.tree.FindById(8)->label, "inserted later");

  TreeFixture other;
  other.Add(7, 7, kContainer, "another root");
  fillNodeTree(f.tree, other.Nodes());
  EXPECT_EQ(f.tree.FindById(7)->label, "another root");
  EXPECT_EQ(f.tree.FindById(2), nullptr);
  f.tree.Clear();
  EXPECT_EQ(f.tree.FindById(7), nullptr);
}

TEST(WalkDeepTest, VeryDeepTreesNeedNoRecursion) {
  TreeFixture f;
  f.Add(0, 0, kContainer, "n0");
  const int depth = 200000;
  for (int i = 1; i <= depth; ++i) f.Add(i, i - 1, kContainer, "n");
  f.Fill();
  Visits v;
  walkTree(f.tree, f.tree.Root(), record, &v);
  EXPECT_EQ(v.labels.size(), static_cast<size_t>(depth + 1));
  EXPECT_EQ(itemDepth(f.tree.FindById(depth)), static_cast<uint32_t>(depth));
  uint32_t deepest = 0;
  walkTreeWithDepths(f.tree, f.tree.Root(), [](TreeItem*, uint32_t level, void* context) {
    *static_cast<uint32_t*>(context) = level;
    return true;
  }, &deepest);
  EXPECT_EQ(deepest, static_cast<uint32_t>(depth));
}

}  // namespace
}  // namespace t2c
