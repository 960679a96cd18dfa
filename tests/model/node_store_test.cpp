// Node store: arrival order, ownership of nodes and icons, clearing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/node_store.h"

namespace t2c {
namespace {

std::vector<IconHandle> g_destroyed;
void recordDestroyed(IconHandle icon) { g_destroyed.push_back(icon); }

class NodeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_destroyed.clear();
    previous_ = setIconDestroyer(recordDestroyed);
  }
  void TearDown() override { setIconDestroyer(previous_); }

  static std::unique_ptr<ExportNode> node(int id, const char* header, IconHandle icon = nullptr) {
    auto n = std::make_unique<ExportNode>();
    n->id = id;
    n->header = header;
    n->icon = icon;
    return n;
  }

  IconDestroyer previous_ = nullptr;
};

TEST_F(NodeStoreTest, NewNodeHasItsInitialValues) {
  ExportNode n;
  EXPECT_EQ(n.header, "");
  EXPECT_EQ(n.text, "");
  EXPECT_EQ(n.fileName, "");
  EXPECT_EQ(n.excluded, 0);
  EXPECT_EQ(n.id, -1);
  EXPECT_EQ(n.parentId, -1);
  EXPECT_EQ(n.kind, 0);
  EXPECT_EQ(n.icon, nullptr);
  EXPECT_TRUE(n.pictures.empty());
  EXPECT_TRUE(isRoot(n));  // -1 == -1 until the host's ids arrive
}

TEST_F(NodeStoreTest, KeepsArrivalOrderAndCopiesTheSequence) {
  NodeStore store;
  EXPECT_EQ(store.FirstIndex(), -1);
  store.Append(node(7, "a"));
  store.Append(node(3, "b"));
  store.Append(node(5, "c"));
  ASSERT_EQ(store.Count(), 3u);
  EXPECT_EQ(store.FirstIndex(), 0);
  std::vector<ExportNode*> copy = store.Nodes();
  ASSERT_EQ(copy.size(), 3u);
  for (size_t i = 0; i < copy.size(); ++i) EXPECT_EQ(copy[i], store[i]);
  EXPECT_EQ(copy[0]->header + copy[1]->header + copy[2]->header, "abc");
}

TEST_F(NodeStoreTest, ClearDestroysOnlyTheIconsThatExistInOrder) {
  NodeStore store;
  int a = 0, b = 0;
  store.Append(node(1, "with icon", &a));
  store.Append(node(2, "without"));
  store.Append(node(3, "with icon", &b));
  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(store.FirstIndex(), -1);
  EXPECT_EQ(g_destroyed, (std::vector<IconHandle>{&a, &b}));
  store.Clear();
  EXPECT_EQ(g_destroyed.size(), 2u);
}

TEST_F(NodeStoreTest, SecondExportStartsEmptyAfterClear) {
  NodeStore& store = NodeStore::Instance();
  store.Clear();
  store.Append(node(1, "first export"));
  store.Clear();
  EXPECT_EQ(&store, &NodeStore::Instance());
  EXPECT_EQ(store.Count(), 0u);
  store.Append(node(2, "second export"));
  EXPECT_EQ(store[0]->header, "second export");
  store.Clear();
}

TEST(NodeKindTest, ContainerKnownKindModeAndRootTests) {
  ExportNode n;
  std::string containers, known, modes;
  for (int kind = -2; kind <= 8; ++kind) {
    n.kind = kind;
    containers += isContainer(n) ? 'C' : '.';
    known += isKnownNodeKind(kind) ? 'K' : '.';
    modes += isKnownRtfMode(kind) ? 'M' : '.';
  }
  EXPECT_EQ(containers, "......CCC..");  // -2 to 8
  EXPECT_EQ(known, "..KKKKKKK..");
  EXPECT_EQ(modes, "..MMMM.....");
  n.id = 4;
  n.parentId = 9;
  EXPECT_FALSE(isRoot(n));
  n.parentId = 4;
  EXPECT_TRUE(isRoot(n));
}

}  // namespace
}  // namespace t2c
