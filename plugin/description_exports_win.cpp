// Exports that describe the plug-in and its menu entries to the host, and the syntax toggle.
#include <cstring>
#include <string>

#include "model/export_settings.h"
#include "plugin/export_guard_win.h"
#include "plugin/host_records_win.h"
#include "plugin/host_services_win.h"
#include "plugin/plugin_module_win.h"
#include "plugin/plugin_text.h"
#include "project/export_job.h"
#include "resources/strings.h"

namespace t2c {
namespace {

// Copies the text and its NUL into a host field and nothing more: the host's bytes after it stay.
void writeField(char* field, size_t capacity, const std::string& text) {
  size_t length = text.size() < capacity ? text.size() : capacity - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

template <size_t N>
void writeField(char (&field)[N], const std::string& text) {
  writeField(field, N, text);
}

void describeExportEntry(MenuItemInfo& item, UINT caption, UINT hint, const char* initProc) {
  writeField(item.caption, loadString(caption) + kEllipsis);
  writeField(item.hint, loadString(hint));
  writeField(item.procName, "Export2CHM");
  writeField(item.initProcName, initProc);
  item.kindCode = 1;
}

}  // namespace
}  // namespace t2c

using namespace t2c;

extern "C" int __cdecl Tessaly_GetPluginInfo(PluginInfo* info) {
  return guardedExport(1, [&] {
    if (!info) return 1;
    ModuleVersionInfo version = host::moduleVersion(pluginInstance());
    writeField(info->title, pluginTitle(version.major, version.minor, version.release, version.build));
    info->menuItemCount = 4;
    info->requiredHostBuild = 1977;
    writeField(info->description, loadString(IDS_PLUGIN_DESCRIPTION));
    return 1;
  });
}

extern "C" int __cdecl Tessaly_GetMenuItemInfo(int index, MenuItemInfo* item) {
  return guardedExport(1, [&] {
    if (!item) return 1;
    switch (index) {
      case 0:
        describeExportEntry(*item, IDS_MENU_DOCUMENT, IDS_HINT_DOCUMENT, "InitDoc2CHM");
        item->groupCode = 0;
        item->scopeCode = 0x400;
        break;
      case 1:
        describeExportEntry(*item, IDS_MENU_BRANCH, IDS_HINT_BRANCH, "InitBranch2CHM");
        item->groupCode = 1;
        item->scopeCode = 1;
        break;
      case 3:
        writeField(item->caption, loadString(IDS_MENU_SYNTAX));
        writeField(item->hint, loadString(IDS_HINT_SYNTAX));
        writeField(item->procName, "ExportWithShProc");
        item->kindCode = 6;
        item->groupCode = 3;
        if (ExportSettings::Instance().ExportWithSyntaxH) item->stateFlags = kMenuChecked;
        break;
      default:
        break;
    }
    return 1;
  });
}

extern "C" int __cdecl ExportWithShProc() {
  return guardedExport(1, [&] {
    ExportSettings& settings = ExportSettings::Instance();
    settings.ExportWithSyntaxH = settings.ExportWithSyntaxH == 0 ? 1 : 0;
    settings.Save();
    host::reReadPluginsInfo(pluginInstance());
    return 1;
  });
}
