// The host's side of the plug-in records and the export protocol, byte by byte.
#include "host/plugin_session_win.h"

#include <windows.h>

#include <cstring>

#include "host/node_record_layout.h"

namespace tly {

namespace {

using InitFunction = int(__cdecl*)(void* record);
using NodeFunction = int(__cdecl*)(void* record);
using CommandFunction = int(__cdecl*)();

int readInt(const unsigned char* record, int offset) {
  int value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

void writeInt(unsigned char* record, size_t offset, int value) {
  std::memcpy(record + offset, &value, sizeof value);
}

void writePointer(unsigned char* record, size_t offset, const void* pointer) {
  std::memcpy(record + offset, &pointer, sizeof pointer);
}

// A NUL-terminated text field of `size` bytes; a field the plug-in filled to the brim still ends.
std::string readText(const unsigned char* record, int offset, int size) {
  const char* text = reinterpret_cast<const char*>(record + offset);
  return std::string(text, strnlen(text, static_cast<size_t>(size)));
}

}  // namespace

PluginDescription describePlugin(const PluginLibrary& plugin) {
  PluginDescription description;
  auto getInfo = plugin.FindAs<int(__cdecl*)(void*)>("Tessaly_GetPluginInfo");
  if (!getInfo) return description;
  unsigned char info[532] = {};
  getInfo(info);
  description.menuItemCount = readInt(info, 4);
  description.title = readText(info, 8, 260);
  description.description = readText(info, 268, 260);
  description.requiredHostBuild = readInt(info, 528);
  return description;
}

std::vector<PluginMenuEntry> readMenu(const PluginLibrary& plugin, int menuItemCount) {
  std::vector<PluginMenuEntry> entries;
  auto getItem = plugin.FindAs<int(__cdecl*)(int, void*)>("Tessaly_GetMenuItemInfo");
  if (!getItem) return entries;
  // Plug-ins describe a handful of entries; a wild count is not followed.
  for (int index = 0; index < menuItemCount && index < 64; ++index) {
    unsigned char item[1400] = {};
    getItem(index, item);
    PluginMenuEntry entry;
    entry.index = index;
    entry.caption = readText(item, 4, 260);
    entry.hint = readText(item, 264, 260);
    entry.procName = readText(item, 784, 260);
    entry.kindCode = readInt(item, 1044);
    entry.groupCode = readInt(item, 1048);
    entry.stateFlags = readInt(item, 1068);
    entry.scopeCode = readInt(item, 1076);
    entry.initProcName = readText(item, 1080, 260);
    entries.push_back(entry);
  }
  return entries;
}

ExportOutcome runExportEntry(const PluginLibrary& plugin, const PluginMenuEntry& entry,
                             const std::vector<const DocumentNode*>& nodes) {
  ExportOutcome outcome;
  auto init = plugin.FindAs<InitFunction>(entry.initProcName.c_str());
  auto perNode = plugin.FindAs<NodeFunction>(entry.procName.c_str());
  if (!init || !perNode) {
    outcome.error = "The plug-in lacks " + (init ? entry.procName : entry.initProcName);
    return outcome;
  }
  unsigned char begin[64] = {};
  writeInt(begin, 4, 1);
  init(begin);
  outcome.beginFlags = static_cast<unsigned>(readInt(begin, 16));

  for (const DocumentNode* node : nodes) {
    HICON icon = nullptr;
    if (!node->iconPath.empty())
      icon = static_cast<HICON>(LoadImageA(nullptr, node->iconPath.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    unsigned char record[kNodeRecord.size + 16] = {};
    writePointer(record, kNodeRecord.icon, icon);
    writePointer(record, kNodeRecord.header, node->header.c_str());
    writeInt(record, kNodeRecord.parentId, node->parentId);
    writePointer(record, kNodeRecord.text, node->text.c_str());
    writeInt(record, kNodeRecord.kind, node->kind);
    writeInt(record, kNodeRecord.id, node->id);
    ++outcome.sent;
    if (perNode(record)) ++outcome.stored;
    if (icon) DestroyIcon(icon);
  }

  unsigned char finish[64] = {};
  init(finish);
  return outcome;
}

bool runCommandEntry(const PluginLibrary& plugin, const PluginMenuEntry& entry) {
  auto command = plugin.FindAs<CommandFunction>(entry.procName.c_str());
  if (!command) return false;
  command();
  return true;
}

}  // namespace tly
