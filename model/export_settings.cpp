// Loading and saving the export options in field order, with their defaults.
#include "model/export_settings.h"

#include "model/node_kinds.h"

namespace t2c {

namespace {

constexpr int kFieldCount = 5;

void describe(ExportSettings& s, SettingField (&fields)[kFieldCount]) {
  fields[0] = {"ExportPlainTextAsHTML", &s.ExportPlainTextAsHTML};
  fields[1] = {"MakeFullSearch", &s.MakeFullSearch};
  fields[2] = {"ConvertHTML", &s.ConvertHTML};
  fields[3] = {"ExportWithSyntaxH", &s.ExportWithSyntaxH};
  fields[4] = {"WithPictures", &s.WithPictures};
}

// A conversion mode outside the radio group would select no button and no road of the build;
// fall back to the default so that the next save repairs the stored value too.
void repairConversionMode(ExportSettings& s) {
  if (!isKnownRtfMode(s.ConvertHTML)) s.ConvertHTML = kRtfToHtml;
}

SettingsHolder& processSettings() {
  static SettingsHolder holder(platformSettingsStorage());
  return holder;
}

}  // namespace

void ExportSettings::LoadFrom(SettingsStorage& storage) {
  SettingField fields[kFieldCount];
  describe(*this, fields);
  storage.Read(fields, kFieldCount);
  repairConversionMode(*this);
}

void ExportSettings::SaveTo(SettingsStorage& storage) {
  repairConversionMode(*this);
  SettingField fields[kFieldCount];
  describe(*this, fields);
  storage.Write(fields, kFieldCount);
}

ExportSettings& SettingsHolder::Get() {
  if (!settings_) {
    settings_ = std::make_unique<ExportSettings>();
    settings_->LoadFrom(storage_);
  }
  return *settings_;
}

ExportSettings& ExportSettings::Instance() { return processSettings().Get(); }

void ExportSettings::Save() { SaveTo(processSettings().Storage()); }

}  // namespace t2c
