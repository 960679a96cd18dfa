// Records that cross the boundary with the host, laid out byte for byte as the host expects.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace t2c {

constexpr int kTextField = 260;

struct PluginInfo {
  uint8_t hostOwned[4];
  int32_t menuItemCount;
  char title[kTextField];
  char description[kTextField];
  int32_t requiredHostBuild;
};

struct MenuItemInfo {
  uint8_t hostOwned[4];
  char caption[kTextField];
  char hint[kTextField];
  char unused1[kTextField];
  char procName[kTextField];
  int32_t kindCode;
  int32_t groupCode;
  uint8_t unused2[16];
  int32_t stateFlags;
  uint8_t unused3[4];
  int32_t scopeCode;
  char initProcName[15];  // the host's field may be longer; never write past the longest name
};

struct InitInfo {
  uint8_t hostOwned1[4];
  int32_t isStart;
  uint8_t hostOwned2[8];
  int32_t flags;
};

struct NodeInfo {
  uint8_t hostOwned1[40];
  HICON icon;
  const char* header;
  int32_t parentId;
  const char* text;
  uint8_t hostOwned2[16];
  int32_t kind;
  uint8_t hostOwned3[8];
  int32_t id;
};

static_assert(offsetof(PluginInfo, title) == 8 && offsetof(PluginInfo, description) == 268 &&
                  offsetof(PluginInfo, requiredHostBuild) == 528,
              "PluginInfo layout");
static_assert(offsetof(MenuItemInfo, caption) == 4 && offsetof(MenuItemInfo, hint) == 264 &&
                  offsetof(MenuItemInfo, procName) == 784 &&
                  offsetof(MenuItemInfo, kindCode) == 1044 &&
                  offsetof(MenuItemInfo, groupCode) == 1048 &&
                  offsetof(MenuItemInfo, stateFlags) == 1068 &&
                  offsetof(MenuItemInfo, scopeCode) == 1076 &&
                  offsetof(MenuItemInfo, initProcName) == 1080,
              "MenuItemInfo layout");
static_assert(offsetof(InitInfo, isStart) == 4 && offsetof(InitInfo, flags) == 16, "InitInfo layout");
// A 64-bit host keeps the same fields in the same order, pointers and handles naturally aligned.
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "the host's records hold 32- or 64-bit pointers");
static_assert(sizeof(void*) != 4 ||
                  (offsetof(NodeInfo, icon) == 40 && offsetof(NodeInfo, header) == 44 &&
                   offsetof(NodeInfo, parentId) == 48 && offsetof(NodeInfo, text) == 52 &&
                   offsetof(NodeInfo, kind) == 72 && offsetof(NodeInfo, id) == 84),
              "NodeInfo layout (32-bit)");
static_assert(sizeof(void*) != 8 ||
                  (offsetof(NodeInfo, icon) == 40 && offsetof(NodeInfo, header) == 48 &&
                   offsetof(NodeInfo, parentId) == 56 && offsetof(NodeInfo, text) == 64 &&
                   offsetof(NodeInfo, kind) == 88 && offsetof(NodeInfo, id) == 100),
              "NodeInfo layout (64-bit)");

// Flags the plug-in ORs into InitInfo::flags at begin.
constexpr int32_t kInitBranch = 1;
constexpr int32_t kInitSyntaxHighlighting = 2;
// MenuItemInfo::stateFlags value of a checked entry.
constexpr int32_t kMenuChecked = 8;

}  // namespace t2c
