// Tessaly stand-in: loads Plugins\Tessaly2CHM.dll from its own folder and plays the host for it:
// prints what the host sees of the plug-in, shows a document with the plug-in's menu, or makes a
// help file from a document through the plug-in's windows as a person would.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/automation_win.h"
#include "host/command_line.h"
#include "host/document_source_win.h"
#include "host/host_state_win.h"
#include "host/host_window_win.h"
#include "host/plugin_session_win.h"
#include "plugin/ansi_text_win.h"

namespace {

// Host texts are in the ANSI code page; the console of a Unix terminal wants UTF-8.
std::string toUtf8(const std::string& ansi) {
  const std::wstring wide = t2c::ansiToWide(ansi);
  if (wide.empty()) return std::string();
  const int wideLength = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &out[0], length, nullptr, nullptr);
  return out;
}

void print(const std::string& ansi) { std::printf("%s\n", toUtf8(ansi).c_str()); }

// The arguments as the ANSI code page spells them.
std::vector<std::string> arguments() {
  std::vector<std::string> result;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i)
    result.push_back(t2c::wideToAnsi(wide[i], static_cast<int>(wcslen(wide[i]))));
  LocalFree(wide);
  return result;
}

int describe(const tly::PluginLibrary& plugin) {
  const tly::PluginDescription description = tly::describePlugin(plugin);
  print("Plug-in:     " + description.title);
  print("Description: " + description.description);
  std::printf("Needs host build %d; menu entries: %d\n", description.requiredHostBuild, description.menuItemCount);
  for (const tly::PluginMenuEntry& entry : tly::readMenu(plugin, description.menuItemCount)) {
    if (entry.IsSeparator()) {
      std::printf("  %d  (separator)\n", entry.index);
      continue;
    }
    std::printf("  %d  %s\n      hint: %s\n      calls: %s", entry.index, toUtf8(entry.caption).c_str(),
                toUtf8(entry.hint).c_str(), entry.procName.c_str());
    if (entry.IsExport()) std::printf(" (begin and finish: %s)", entry.initProcName.c_str());
    std::printf("%s\n", entry.IsChecked() ? ", checked" : "");
  }
  return 0;
}

int runMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

int exportEntryIndex(const tly::HostWindow& window, bool branch) {
  for (const tly::PluginMenuEntry& entry : window.Entries())
    if (entry.IsExport() && entry.IsBranchExport() == branch) return entry.index;
  return -1;
}

int automaticExport(tly::HostWindow& window, const tly::HostCommand& command) {
  const int entry = exportEntryIndex(window, command.branch);
  if (entry < 0) {
    std::fprintf(stderr, "The plug-in offers no %s export\n", command.branch ? "branch" : "document");
    return 2;
  }
  tly::AutomationPlan plan;
  plan.options = command.options;
  plan.output = tly::fullPathOf(command.output);
  plan.title = command.title;
  plan.excluded = command.excluded;
  plan.windowLimitMs = static_cast<DWORD>(command.timeoutSeconds) * 1000;
  plan.build = command.build != 0;
  tly::Automation automation(plan);
  if (!automation.Start()) {
    std::fprintf(stderr, "Cannot start the driving thread\n");
    return 2;
  }
  tly::ExportOutcome outcome;
  window.RunEntry(entry, &outcome);
  const tly::AutomationResult result = automation.Finish();
  std::printf("Sent %d nodes, %d stored; begin flags 0x%x; menu read again %d times\n", outcome.sent,
              outcome.stored, outcome.beginFlags, tly::hostState().reReadCount);
  for (const std::string& note : result.notes) print("Note: " + note);
  for (const std::string& line : result.log) print("Log: " + line);
  if (!outcome.error.empty()) {
    print("Failed: " + outcome.error);
    return 1;
  }
  if (!result.failure.empty()) {
    print("Failed: " + result.failure);
    return result.built ? 0 : 1;
  }
  print(plan.build ? "Made " + plan.output : std::string("Opened and closed without a build"));
  return 0;
}

}  // namespace

int main() {
  const tly::HostCommand command = tly::parseHostCommand(arguments());
  if (!command.error.empty()) {
    std::fprintf(stderr, "%s\n%s", command.error.c_str(), tly::hostUsage().c_str());
    return 2;
  }
  const std::string path =
      command.pluginPath.empty() ? tly::executableFolder() + "\\Plugins\\Tessaly2CHM.dll" : command.pluginPath;
  tly::PluginLibrary plugin(path);
  if (!plugin.Loaded()) {
    std::fprintf(stderr, "Cannot load the plug-in %s (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  if (!plugin.Exports().getPluginInfo || !plugin.Exports().getMenuItemInfo) {
    std::fprintf(stderr, "%s is not a Tessaly plug-in\n", path.c_str());
    return 1;
  }
  if (command.mode == tly::HostCommand::Mode::Describe) return describe(plugin);

  const std::string folder = tly::fullPathOf(command.document);
  tly::FileSystemSource source;
  std::string listing;
  const bool listed = !tly::isFolderPath(folder) && source.Read(folder, listing);
  if (!listed && !tly::isFolderPath(folder)) {
    std::fprintf(stderr, "No document folder or node list at %s\n", folder.c_str());
    return 2;
  }
  const tly::Document document = listed ? tly::loadNodeList(listing, folder) : tly::loadDocument(source, folder);
  // The nodes hold every byte of the list now; a host keeps its document once.
  std::string().swap(listing);
  for (const std::string& problem : document.problems) print(problem);
  const std::string currentPath = command.branchPath.empty() ? command.current : command.branchPath;
  const int current = document.Find(currentPath);
  if (current < 0) {
    print("No node " + currentPath + " in " + folder);
    return 2;
  }

  tly::HostWindow window(document, plugin);
  if (!window.Create(SW_SHOWNORMAL)) {
    std::fprintf(stderr, "Cannot create the host window\n");
    return 1;
  }
  window.SelectNode(current);
  if (command.mode == tly::HostCommand::Mode::Interactive) return runMessageLoop();
  return automaticExport(window, command);
}
