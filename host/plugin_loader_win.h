// Loads a Tessaly plug-in library and finds its exports, the way the host does.
#pragma once

#include <windows.h>

#include <string>

namespace tly {

struct PluginExports {
  int(__cdecl* getPluginInfo)(void* info) = nullptr;
  int(__cdecl* getMenuItemInfo)(int index, void* item) = nullptr;
  int(__cdecl* exportWithShProc)() = nullptr;
};

class PluginLibrary {
 public:
  // Loads the library at `path`; Loaded() tells whether that worked.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  HMODULE Module() const { return module_; }
  // A named export, or none.
  FARPROC Find(const char* name) const;
  template <typename Function>
  Function FindAs(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(Find(name)));
  }
  // The description and command exports; null members for those that are missing.
  PluginExports Exports() const;

 private:
  HMODULE module_;
};

// The folder of the running executable, without a trailing backslash.
std::string executableFolder();

}  // namespace tly
