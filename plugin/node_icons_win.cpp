// Node icons kept once per distinct picture: the key is the icon's size, hot spot and bits.
#include "plugin/node_icons_win.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace t2c {
namespace {

struct KeptIcon {
  HICON icon;
  std::string key;
  size_t shares;
};

std::mutex g_lock;
std::unordered_map<std::string, KeptIcon*> g_kept;
// A memory context of our own for reading icon bits, held while icons are kept (the screen's
// costs a trip to the display server per call, over 100 µs under Wine, per node of the document)
// and given back with the last of them.
HDC g_bitsContext = nullptr;

void appendBits(std::string& key, HDC context, HBITMAP bitmap) {
  BITMAP shape = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = shape.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::string bits(static_cast<size_t>(shape.bmWidth) * static_cast<size_t>(shape.bmHeight) * 4, '\0');
  if (!GetDIBits(context, bitmap, 0, static_cast<UINT>(shape.bmHeight), &bits[0], &info, DIB_RGB_COLORS))
    bits.clear();
  key += std::to_string(shape.bmWidth) + "x" + std::to_string(shape.bmHeight) + ":";
  key += bits;
}

// The same key for two icons means the same picture; an icon that cannot be read gets a key of
// its handle alone, so it is never merged with another. Called under the lock.
std::string pictureKey(HICON icon) {
  ICONINFO parts = {};
  if (!GetIconInfo(icon, &parts)) return "handle:" + std::to_string(reinterpret_cast<uintptr_t>(icon));
  std::string key = (parts.fIcon ? "icon:" : "cursor:") + std::to_string(parts.xHotspot) + "," +
                    std::to_string(parts.yHotspot) + ";";
  if (!g_bitsContext) g_bitsContext = CreateCompatibleDC(nullptr);
  if (g_bitsContext) {
    appendBits(key, g_bitsContext, parts.hbmMask);
    key += ";";
    appendBits(key, g_bitsContext, parts.hbmColor);
  }
  DeleteObject(parts.hbmMask);
  if (parts.hbmColor) DeleteObject(parts.hbmColor);
  return key;
}

void releaseContextWhenUnused() {
  if (!g_kept.empty() || !g_bitsContext) return;
  DeleteDC(g_bitsContext);
  g_bitsContext = nullptr;
}

}  // namespace

IconHandle keepNodeIcon(HICON hostIcon) {
  if (!hostIcon) return nullptr;
  std::lock_guard<std::mutex> hold(g_lock);
  std::string key = pictureKey(hostIcon);
  auto found = g_kept.find(key);
  if (found != g_kept.end()) {
    ++found->second->shares;
    return found->second;
  }
  HICON copy = CopyIcon(hostIcon);
  if (!copy) {
    releaseContextWhenUnused();
    return nullptr;
  }
  auto* kept = new KeptIcon{copy, key, 1};
  g_kept.emplace(std::move(key), kept);
  return kept;
}

HICON keptIconImage(IconHandle kept) { return kept ? static_cast<KeptIcon*>(kept)->icon : nullptr; }

void releaseNodeIcon(IconHandle kept) {
  if (!kept) return;
  auto* icon = static_cast<KeptIcon*>(kept);
  std::lock_guard<std::mutex> hold(g_lock);
  if (--icon->shares > 0) return;
  g_kept.erase(icon->key);
  DestroyIcon(icon->icon);
  delete icon;
  releaseContextWhenUnused();
}

size_t keptIconCount() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_kept.size();
}

}  // namespace t2c
