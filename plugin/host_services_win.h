// The host's TLY_ functions, looked up by name at every use; a missing one yields 0.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace t2c {

struct ModuleVersionInfo {
  int32_t size = sizeof(ModuleVersionInfo);
  int32_t major = 0;
  int32_t minor = 0;
  int32_t release = 0;
  int32_t build = 0;
};
static_assert(sizeof(ModuleVersionInfo) == 20, "ModuleVersionInfo layout");

// Requests of TLY_GetOptions, one per call.
enum HostOptionRequest : int32_t {
  kOptionRenderColour = 2,
  kOptionTextColour = 8,
  kOptionBackgroundColour = 16,
  kOptionFont = 32,
};

struct HostOptions {
  int32_t size;
  int32_t request;
  uint8_t hostOwned1[4];
  COLORREF renderColour;  // request 2
  uint8_t hostOwned2[120];
  COLORREF textColour;  // request 8
  COLORREF backgroundColour;  // request 16
  LOGFONTA font;  // request 32
  uint8_t hostOwned3[524];
};
static_assert(offsetof(HostOptions, renderColour) == 12 && offsetof(HostOptions, textColour) == 136 &&
                  offsetof(HostOptions, backgroundColour) == 140 &&
                  offsetof(HostOptions, font) == 144 && sizeof(HostOptions) == 728,
              "HostOptions layout");

// Codes of TLY_Command.
enum HostCommand : int32_t {
  kCommandCurrentNodeId = 1,
  kCommandNodeTitle = 2,
  kCommandDocumentPath = 10,
  kCommandShowNode = 13,
};

namespace host {

// Renders plain text as RTF; empty when the host lacks the service.
bool convertText(const std::string& plainText, std::string& rtf);
int32_t tessalyBuildNumber();
int32_t reReadPluginsInfo(HMODULE plugin);
// Fills one requested field of a zeroed record; returns the host's result.
int32_t getOptions(int32_t request, HostOptions& options);
COLORREF optionColour(int32_t request);
ModuleVersionInfo moduleVersion(HMODULE module);
void setStatusBarText(const std::string& text);
int32_t command(int32_t code, int32_t argument, void* data);

}  // namespace host
}  // namespace t2c
