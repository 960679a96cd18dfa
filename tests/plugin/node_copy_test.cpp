// The per-node call's copy: texts, ids and kind, and an icon that outlives the host's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "plugin/node_copy_win.h"
#include "plugin/node_icons_win.h"

namespace t2c {
namespace {

// An icon of the host's own making, which DestroyIcon really destroys (a shared one it would not).
HICON hostIcon(BYTE pattern = 0xF0) {
  BYTE andMask[32 * 4];
  BYTE xorMask[32 * 4];
  std::memset(andMask, 0x0F, sizeof andMask);
  std::memset(xorMask, pattern, sizeof xorMask);
  return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

std::unique_ptr<ExportNode> nodeWithIcon(HICON icon) {
  NodeInfo info = {};
  info.icon = icon;
  return copyNode(info);
}

int iconWidth(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return mask.bmWidth;
}

TEST(CopyNodeTest, TextsIdsKindAndAnIconOfItsOwn) {
  const IconDestroyer previous = setIconDestroyer(releaseNodeIcon);
  char header[] = "Intro";
  char text[] = "{\\rtf1 Body\\par}";
  NodeInfo info;
  std::memset(&info, 0xA5, sizeof info);
  info.header = header;
  info.text = text;
  info.id = 7;
  info.parentId = -3;
  info.kind = 9;
  info.icon = hostIcon();
  ASSERT_NE(info.icon, nullptr);
  {
    const auto node = copyNode(info);
    // The host may reuse its buffers and destroy its icon once the call has returned.
    header[0] = text[0] = 'X';
    ASSERT_TRUE(DestroyIcon(info.icon));
    EXPECT_EQ(iconWidth(info.icon), 0);
    EXPECT_EQ(node->header, "Intro");
    EXPECT_EQ(node->text, "{\\rtf1 Body\\par}");
    EXPECT_EQ(node->id, 7);
    EXPECT_EQ(node->parentId, -3);
    EXPECT_EQ(node->kind, 9);
    ASSERT_NE(node->icon, nullptr);
    EXPECT_NE(node->icon, static_cast<IconHandle>(info.icon));
    EXPECT_EQ(iconWidth(keptIconImage(node->icon)), 32);
  }
  EXPECT_EQ(keptIconCount(), 0u);
  setIconDestroyer(previous);
}

TEST(CopyNodeTest, NodesWithTheSamePictureShareOneIconUntilTheLastIsGone) {
  const IconDestroyer previous = setIconDestroyer(releaseNodeIcon);
  {
    std::vector<std::unique_ptr<ExportNode>> nodes;
    // Hosts hand every node an icon of its own making, mostly of the same few pictures.
    for (int i = 0; i < 3000; ++i) {
      HICON icon = hostIcon(i % 3 == 0 ? 0x0F : 0xF0);
      nodes.push_back(nodeWithIcon(icon));
      DestroyIcon(icon);
    }
    EXPECT_EQ(keptIconCount(), 2u);
    EXPECT_EQ(keptIconImage(nodes[0]->icon), keptIconImage(nodes[3]->icon));
    EXPECT_EQ(keptIconImage(nodes[1]->icon), keptIconImage(nodes[2]->icon));
    EXPECT_NE(keptIconImage(nodes[0]->icon), keptIconImage(nodes[1]->icon));
    nodes.erase(nodes.begin() + 1, nodes.end());
    EXPECT_EQ(keptIconCount(), 1u);
    EXPECT_EQ(iconWidth(keptIconImage(nodes[0]->icon)), 32);
  }
  EXPECT_EQ(keptIconCount(), 0u);
  setIconDestroyer(previous);
}

TEST(CopyNodeTest, NullHeaderTextAndIconGiveEmptyOnes) {
  NodeInfo info = {};
  info.kind = kPlainText;
  const auto node = copyNode(info);
  EXPECT_EQ(node->header, "");
  EXPECT_EQ(node->text, "");
  EXPECT_EQ(node->icon, nullptr);
}

}  // namespace
}  // namespace t2c
