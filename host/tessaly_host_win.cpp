// Tessaly stand-in: loads Plugins\Tessaly2CHM.dll from its own folder and shows what the host sees.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/plugin_loader_win.h"

namespace {

// Host texts are in the ANSI code page; the console of a Unix terminal wants UTF-8.
std::string toUtf8(const char* ansi) {
  int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], wideLength);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &out[0], length, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

int readInt(const unsigned char* record, int offset) {
  int value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

void describe(const tly::PluginExports& plugin) {
  unsigned char info[532] = {};
  plugin.getPluginInfo(info);
  std::printf("Plug-in:     %s\n", toUtf8(reinterpret_cast<char*>(info + 8)).c_str());
  std::printf("Description: %s\n", toUtf8(reinterpret_cast<char*>(info + 268)).c_str());
  std::printf("Needs host build %d; menu entries: %d\n", readInt(info, 528), readInt(info, 4));
  for (int index = 0; index < readInt(info, 4); ++index) {
    unsigned char item[1400] = {};
    plugin.getMenuItemInfo(index, item);
    if (!item[4]) {
      std::printf("  %d  (separator)\n", index);
      continue;
    }
    std::printf("  %d  %s\n      hint: %s\n      calls: %s", index,
                toUtf8(reinterpret_cast<char*>(item + 4)).c_str(),
                toUtf8(reinterpret_cast<char*>(item + 264)).c_str(),
                reinterpret_cast<char*>(item + 784));
    if (item[1080]) std::printf(" (begin and finish: %s)", reinterpret_cast<char*>(item + 1080));
    std::printf("%s\n", readInt(item, 1068) == 8 ? ", checked" : "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = tly::executableFolder() + "\\Plugins\\Tessaly2CHM.dll";
  if (argc > 2 && std::strcmp(argv[1], "--plugin") == 0) path = argv[2];
  tly::PluginLibrary library(path);
  if (!library.Loaded()) {
    std::fprintf(stderr, "Cannot load the plug-in %s (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  tly::PluginExports plugin = library.Exports();
  if (!plugin.getPluginInfo || !plugin.getMenuItemInfo) {
    std::fprintf(stderr, "%s is not a Tessaly plug-in\n", path.c_str());
    return 1;
  }
  describe(plugin);
  return 0;
}
