// Calls into the host executable's exported TLY_ functions.
#include "plugin/host_services_win.h"

#include <cstring>

#include "plugin/ansi_text_win.h"

namespace t2c {
namespace host {

namespace {

// Looked up at each use: the host may be any executable, and may lack any of these.
template <typename Function>
Function lookup(const char* name) {
  HMODULE hostModule = GetModuleHandleA(nullptr);
  if (!hostModule) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(hostModule, name)));
}

using ConvertTextFn = int(WINAPI*)(const char*, BSTR*, int);
using BuildNumberFn = int(WINAPI*)();
using ReReadFn = int(WINAPI*)(HMODULE);
using GetOptionsFn = int(WINAPI*)(HostOptions*);
using VersionFn = int(WINAPI*)(HMODULE, ModuleVersionInfo*);
using StatusBarFn = int(WINAPI*)(BSTR);
using CommandFn = int(WINAPI*)(int, int, void*);

}  // namespace

bool convertText(const std::string& plainText, std::string& rtf) {
  auto fn = lookup<ConvertTextFn>("TLY_ConvertText");
  if (!fn) return false;
  BSTR text = ansiToBstr(plainText);
  fn(plainText.c_str(), &text, 0);
  rtf = bstrToAnsi(text);
  SysFreeString(text);
  return true;
}

int32_t tessalyBuildNumber() {
  auto fn = lookup<BuildNumberFn>("TLY_GetTessalyBuildNumber");
  return fn ? fn() : 0;
}

int32_t reReadPluginsInfo(HMODULE plugin) {
  auto fn = lookup<ReReadFn>("TLY_ReReadPluginsInfo");
  return fn ? fn(plugin) : 0;
}

int32_t getOptions(int32_t request, HostOptions& options) {
  std::memset(&options, 0, sizeof options);
  options.size = sizeof options;
  options.request = request;
  auto fn = lookup<GetOptionsFn>("TLY_GetOptions");
  return fn ? fn(&options) : 0;
}

COLORREF optionColour(int32_t request) {
  HostOptions options;
  if (!getOptions(request, options)) return 0;
  switch (request) {
    case kOptionRenderColour:
      return options.renderColour;
    case kOptionTextColour:
      return options.textColour;
    case kOptionBackgroundColour:
      return options.backgroundColour;
    default:
      return 0;
  }
}

ModuleVersionInfo moduleVersion(HMODULE module) {
  ModuleVersionInfo info;
  auto fn = lookup<VersionFn>("TLY_GetModuleVersionInfoEx");
  if (fn) fn(module, &info);
  return info;
}

void setStatusBarText(const std::string& text) {
  auto fn = lookup<StatusBarFn>("TLY_SetStatusBarText");
  if (!fn) return;
  BSTR bstr = text.empty() ? nullptr : ansiToBstr(text);
  fn(bstr);
  SysFreeString(bstr);
}

int32_t command(int32_t code, int32_t argument, void* data) {
  auto fn = lookup<CommandFn>("TLY_Command");
  return fn ? fn(code, argument, data) : 0;
}

}  // namespace host
}  // namespace t2c
