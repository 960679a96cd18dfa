// The TLY_ functions the stand-in exports to its plug-ins, answering from the host state.
#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "host/host_state_win.h"
#include "host/plain_to_rtf.h"
#include "plugin/ansi_text_win.h"

namespace tly {

HostState& hostState() {
  static HostState state;
  return state;
}

}  // namespace tly

using tly::hostState;

extern "C" int WINAPI TLY_ConvertText(const char* text, BSTR* inOut, int) {
  if (!inOut) return 0;
  std::string plain = *inOut ? t2c::bstrToAnsi(*inOut) : std::string(text ? text : "");
  SysFreeString(*inOut);
  *inOut = t2c::ansiToBstr(tly::plainTextToRtf(plain, GetACP(), hostState().font.lfFaceName));
  return 1;
}

extern "C" int WINAPI TLY_GetTessalyBuildNumber() { return hostState().buildNumber; }

extern "C" int WINAPI TLY_ReReadPluginsInfo(HMODULE) {
  ++hostState().reReadCount;
  if (hostState().reReadPlugins) hostState().reReadPlugins();
  return 1;
}

extern "C" int WINAPI TLY_GetOptions(void* record) {
  auto* bytes = static_cast<unsigned char*>(record);
  int request = 0;
  std::memcpy(&request, bytes + 4, sizeof request);
  tly::HostState& state = hostState();
  switch (request) {
    case 2:
      std::memcpy(bytes + 12, &state.renderColour, 4);
      return 1;
    case 8:
      std::memcpy(bytes + 136, &state.textColour, 4);
      return 1;
    case 16:
      std::memcpy(bytes + 140, &state.backgroundColour, 4);
      return 1;
    case 32:
      std::memcpy(bytes + 144, &state.font, sizeof state.font);
      return 1;
    default:
      return 0;
  }
}

extern "C" int WINAPI TLY_GetModuleVersionInfoEx(HMODULE module, int* info) {
  char path[MAX_PATH];
  if (!info || !GetModuleFileNameA(module, path, MAX_PATH)) return 0;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (!size) return 0;
  std::string data(size, '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!GetFileVersionInfoA(path, 0, size, &data[0]) ||
      !VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed)
    return 0;
  info[1] = HIWORD(fixed->dwFileVersionMS);
  info[2] = LOWORD(fixed->dwFileVersionMS);
  info[3] = HIWORD(fixed->dwFileVersionLS);
  info[4] = LOWORD(fixed->dwFileVersionLS);
  return 1;
}

extern "C" int WINAPI TLY_SetStatusBarText(BSTR text) {
  hostState().statusTexts.push_back(t2c::bstrToAnsi(text));
  if (hostState().showStatusText) hostState().showStatusText(hostState().statusTexts.back());
  return 1;
}

extern "C" int WINAPI TLY_Command(int code, int argument, void* data) {
  tly::HostState& state = hostState();
  switch (code) {
    case 1:
      return state.currentNodeId;
    case 2: {
      auto found = state.nodeTitles.find(argument);
      std::string title = found == state.nodeTitles.end() ? std::string() : found->second;
      if (data) std::memcpy(data, title.c_str(), title.size() + 1);
      return static_cast<int>(title.size());
    }
    case 10:
      if (!data || argument <= 0) return 0;
      lstrcpynA(static_cast<char*>(data), state.documentPath.c_str(), argument);
      return 1;
    case 13:
      state.shownNodes.push_back(static_cast<int>(reinterpret_cast<INT_PTR>(data)));
      if (state.showNode) state.showNode(state.shownNodes.back());
      return 1;
    default:
      return 0;
  }
}
