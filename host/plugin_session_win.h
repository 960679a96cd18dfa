// What the stand-in does with a plug-in, the way Tessaly does it: reads its description and menu
// entries, runs an export entry over nodes, and calls a command entry.
#pragma once

#include <string>
#include <vector>

#include "host/document.h"
#include "host/plugin_loader_win.h"

namespace tly {

struct PluginDescription {
  std::string title;
  std::string description;
  int requiredHostBuild = 0;
  int menuItemCount = 0;
};

struct PluginMenuEntry {
  int index = 0;
  std::string caption;
  std::string hint;
  std::string procName;
  std::string initProcName;
  int kindCode = 0;
  int groupCode = 0;
  int scopeCode = 0;
  int stateFlags = 0;

  bool IsSeparator() const { return caption.empty(); }
  bool IsExport() const { return !initProcName.empty(); }
  // The host's scope code 1 is the current branch with its sub-branches.
  bool IsBranchExport() const { return IsExport() && scopeCode == 1; }
  bool IsChecked() const { return stateFlags == 8; }
};

PluginDescription describePlugin(const PluginLibrary& plugin);

// Entries 0 to menuItemCount - 1, each read into a fresh zeroed record.
std::vector<PluginMenuEntry> readMenu(const PluginLibrary& plugin, int menuItemCount);

struct ExportOutcome {
  std::string error;     // empty when the protocol ran
  int sent = 0;          // nodes handed over
  int stored = 0;        // nodes the plug-in accepted
  unsigned beginFlags = 0;  // the begin record's flags after the plug-in's begin
};

// Begin, one call per node (the first node is the top of the export), finish. The finish call
// returns only when the plug-in's main window has closed. Each node's icon is loaded from its
// file for the call and destroyed right after it, as the host keeps only its own.
ExportOutcome runExportEntry(const PluginLibrary& plugin, const PluginMenuEntry& entry,
                             const std::vector<const DocumentNode*>& nodes);

// Calls a command entry's function; false when the plug-in lacks it.
bool runCommandEntry(const PluginLibrary& plugin, const PluginMenuEntry& entry);

}  // namespace tly
