// The library's entry point: it keeps the instance handle and does nothing under the loader lock.
#include "plugin/plugin_module_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    t2c::setPluginInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
