// Plug-in loading for the stand-in and its tests.
#include "host/plugin_loader_win.h"

namespace tly {

PluginLibrary::PluginLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}

PluginLibrary::~PluginLibrary() {
  if (module_) FreeLibrary(module_);
}

FARPROC PluginLibrary::Find(const char* name) const {
  return module_ ? GetProcAddress(module_, name) : nullptr;
}

PluginExports PluginLibrary::Exports() const {
  PluginExports e;
  e.getPluginInfo = FindAs<decltype(e.getPluginInfo)>("Tessaly_GetPluginInfo");
  e.getMenuItemInfo = FindAs<decltype(e.getMenuItemInfo)>("Tessaly_GetMenuItemInfo");
  e.exportWithShProc = FindAs<decltype(e.exportWithShProc)>("ExportWithShProc");
  return e;
}

std::string executableFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace tly
