// What the Tessaly stand-in answers its plug-ins, and what it has been asked; tests set and read it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tly {

struct HostState {
  int buildNumber = 1977;
  int currentNodeId = -1;
  std::string documentPath = "C:\\Documents\\Notes.tly";
  std::map<int, std::string> nodeTitles;
  COLORREF renderColour = RGB(255, 255, 255);
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF backgroundColour = RGB(255, 255, 240);
  LOGFONTA font = {-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"};

  // The stand-in's window, while it shows one, follows what plug-ins ask of the host.
  std::function<void(const std::string&)> showStatusText;
  std::function<void(int)> showNode;
  std::function<void()> reReadPlugins;

  // Calls the plug-ins made.
  std::vector<std::string> statusTexts;
  std::vector<int> shownNodes;
  int reReadCount = 0;
};

HostState& hostState();

}  // namespace tly
