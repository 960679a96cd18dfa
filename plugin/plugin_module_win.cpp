// The state every export shares: the module, its one-time initialisation, strings and messages.
#include "plugin/plugin_module_win.h"

#include <commctrl.h>
#include <ole2.h>

#include "model/export_node.h"
#include "plugin/node_icons_win.h"
#include "plugin/plugin_text.h"

namespace t2c {

namespace {

HINSTANCE g_instance = nullptr;
bool g_initialised = false;

}  // namespace

void setPluginInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE pluginInstance() {
  // Linked into a program instead of the library, the module is the one that holds this code.
  if (!g_instance) {
    HMODULE own = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&setPluginInstance), &own);
    g_instance = own;
  }
  return g_instance;
}

void ensureModuleInitialised() {
  if (g_initialised) return;
  g_initialised = true;
  setIconDestroyer(releaseNodeIcon);
  // Results ignored: the host may have initialised OLE itself, and a missing rich edit library
  // or control class only matters to the windows that use it.
  OleInitialize(nullptr);
  LoadLibraryA("riched20.dll");
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

std::string loadString(UINT id) {
  // The longest entry, the page template of linked RTF files, is far below this.
  char buffer[4096];
  int length = LoadStringA(pluginInstance(), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

int showMessage(HWND owner, const std::string& text, UINT flags) {
  return MessageBoxA(owner, text.c_str(), kPluginName, flags);
}

}  // namespace t2c
