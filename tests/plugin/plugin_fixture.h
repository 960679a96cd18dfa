// Loads the built plug-in with its settings key removed first, and fills host records with sentinels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/plugin_loader_win.h"
#include "host/window_driver_win.h"

namespace t2c_test {

constexpr unsigned char kSentinel = 0xA5;
constexpr char kSettingsKey[] = "Software\\Brenmoor\\Tessaly\\Plugins\\Tessaly2CHM";

// The plug-in's path in the build tree, with Windows separators.
std::string pluginPath();
void deleteSettingsKey();
// A REG_DWORD of the settings key, or -999 when it is missing.
long long storedSetting(const char* name);
void storeSetting(const char* name, DWORD value);

// A host record full of sentinel bytes; Check() lists every byte that changed outside `allowed`.
class SentinelRecord {
 public:
  explicit SentinelRecord(size_t size) : bytes_(size, kSentinel) {}
  unsigned char* data() { return bytes_.data(); }
  std::string Text(size_t offset) const;
  int Int(size_t offset) const;
  // Offsets of changed bytes that lie outside every [begin, end) range given.
  std::vector<size_t> ChangedOutside(const std::vector<std::pair<size_t, size_t>>& allowed) const;
  // True when no byte in [begin, end) changed.
  bool Untouched(size_t begin, size_t end) const;

 private:
  std::vector<unsigned char> bytes_;
};

// What the main window of a finish call showed. The call does not return before the window
// closes, so a second thread reads the window, lets `act` work it, and closes it.
struct MainWindowSeen {
  bool opened = false;
  std::string caption;
  std::string title;  // the help-file title box
  std::vector<tly::TreeEntry> tree;
};
MainWindowSeen finishExport(int(__cdecl* init)(void*), void* record,
                            const std::function<void(HWND)>& act = nullptr);

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<tly::PluginLibrary> library_;
  tly::PluginExports plugin_;
};

}  // namespace t2c_test
