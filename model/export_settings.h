// The five export options that survive from one use of the plug-in to the next.
#pragma once

#include <cstdint>
#include <memory>

#include "model/node_kinds.h"

namespace t2c {

struct SettingField {
  const char* name;  // the registry value's name
  int32_t* value;
};

// Where the options are kept: the registry on Windows, a fake in tests.
class SettingsStorage {
 public:
  virtual ~SettingsStorage() = default;
  // Opens the key for reading; false when it cannot be opened. A value that is missing leaves
  // its field unchanged.
  virtual bool Read(const SettingField* fields, int count) = 0;
  // Creates the key when needed and writes every field; failures are silent.
  virtual void Write(const SettingField* fields, int count) = 0;
};

// The storage of this platform (the registry key under the current user on Windows).
SettingsStorage& platformSettingsStorage();

struct ExportSettings {
  int32_t ExportPlainTextAsHTML = 1;
  int32_t MakeFullSearch = 0;
  int32_t ConvertHTML = kRtfToHtml;
  int32_t ExportWithSyntaxH = 0;
  int32_t WithPictures = 1;

  // The one object of the loaded library, loaded from the platform storage on first use.
  static ExportSettings& Instance();
  // Writes all five options to the platform storage.
  void Save();

  void LoadFrom(SettingsStorage& storage);
  void SaveTo(SettingsStorage& storage);
};

// Creates the settings on first use and reads the storage exactly once.
class SettingsHolder {
 public:
  explicit SettingsHolder(SettingsStorage& storage) : storage_(storage) {}
  ExportSettings& Get();
  SettingsStorage& Storage() { return storage_; }

 private:
  SettingsStorage& storage_;
  std::unique_ptr<ExportSettings> settings_;
};

}  // namespace t2c
