// Settings storage in the registry: five REG_DWORD values under the current user's plug-in key.
#include <windows.h>

#include "model/export_settings.h"

namespace t2c {

namespace {

const char kSettingsKey[] = "Software\\Brenmoor\\Tessaly\\Plugins\\Tessaly2CHM";

class RegistrySettingsStorage : public SettingsStorage {
 public:
  bool Read(const SettingField* fields, int count) override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    for (int i = 0; i < count; ++i) {
      // Query into a copy so that a value of another size or type cannot leave half a field.
      DWORD value = 0;
      DWORD size = sizeof value;
      if (RegQueryValueExA(key, fields[i].name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                           &size) == ERROR_SUCCESS &&
          size == sizeof value)
        *fields[i].value = static_cast<int32_t>(value);
    }
    RegCloseKey(key);
    return true;
  }

  void Write(const SettingField* fields, int count) override {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    for (int i = 0; i < count; ++i) {
      DWORD value = static_cast<DWORD>(*fields[i].value);
      RegSetValueExA(key, fields[i].name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
    }
    RegCloseKey(key);
  }
};

}  // namespace

SettingsStorage& platformSettingsStorage() {
  static RegistrySettingsStorage storage;
  return storage;
}

}  // namespace t2c
