// Shared set-up of the plug-in tests.
#include "plugin_fixture.h"

#include <cstring>
#include <thread>

#include "support/windows_path.h"

namespace t2c_test {

std::string pluginPath() { return t2c::windowsPath(T2C_PLUGIN_DLL); }

void deleteSettingsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

long long storedSetting(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return -999;
  DWORD type = 0, value = 0, size = sizeof value;
  LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != 4) return -999;
  return value;
}

void storeSetting(const char* name, DWORD value) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

std::string SentinelRecord::Text(size_t offset) const {
  return std::string(reinterpret_cast<const char*>(bytes_.data() + offset));
}

int SentinelRecord::Int(size_t offset) const {
  int value;
  std::memcpy(&value, bytes_.data() + offset, sizeof value);
  return value;
}

std::vector<size_t> SentinelRecord::ChangedOutside(
    const std::vector<std::pair<size_t, size_t>>& allowed) const {
  std::vector<size_t> changed;
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == kSentinel) continue;
    bool inside = false;
    for (const auto& range : allowed) inside = inside || (i >= range.first && i < range.second);
    if (!inside) changed.push_back(i);
  }
  return changed;
}

bool SentinelRecord::Untouched(size_t begin, size_t end) const {
  for (size_t i = begin; i < end; ++i)
    if (bytes_[i] != kSentinel) return false;
  return true;
}

MainWindowSeen finishExport(int(__cdecl* init)(void*), void* record, const std::function<void(HWND)>& act) {
  MainWindowSeen seen;
  std::thread person([&] {
    HWND window = tly::waitForWindow("#32770", "Tessaly2CHM", true);
    if (!window) return;
    seen.opened = true;
    seen.caption = tly::windowText(window);
    seen.title = tly::windowText(tly::control(window, 3006));
    seen.tree = tly::treeItems(tly::control(window, 3000));
    if (act) act(window);
    tly::click(window, IDCANCEL);
    tly::waitForWindowGone(window);
  });
  EXPECT_EQ(init(record), 1);
  person.join();
  return seen;
}

void PluginTest::SetUp() {
  deleteSettingsKey();
  library_ = std::make_unique<tly::PluginLibrary>(pluginPath());
  ASSERT_TRUE(library_->Loaded()) << pluginPath() << " error " << GetLastError();
  plugin_ = library_->Exports();
  ASSERT_NE(plugin_.getPluginInfo, nullptr);
  ASSERT_NE(plugin_.getMenuItemInfo, nullptr);
  ASSERT_NE(plugin_.exportWithShProc, nullptr);
}

void PluginTest::TearDown() {
  library_.reset();
  deleteSettingsKey();
}

}  // namespace t2c_test
