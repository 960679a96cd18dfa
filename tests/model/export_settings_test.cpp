// Settings: defaults, partial keys, repair of unknown modes, and a single read per library.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/export_settings.h"

namespace t2c {
namespace {

class FakeStorage : public SettingsStorage {
 public:
  bool keyExists = false;
  std::map<std::string, int32_t> values;
  int reads = 0;
  int writes = 0;

  bool Read(const SettingField* fields, int count) override {
    ++reads;
    if (!keyExists) return false;
    for (int i = 0; i < count; ++i) {
      auto found = values.find(fields[i].name);
      if (found != values.end()) *fields[i].value = found->second;
    }
    return true;
  }
  void Write(const SettingField* fields, int count) override {
    ++writes;
    keyExists = true;
    for (int i = 0; i < count; ++i) values[fields[i].name] = *fields[i].value;
  }
};

std::string describe(const ExportSettings& s) {
  return std::to_string(s.ExportPlainTextAsHTML) + std::to_string(s.MakeFullSearch) +
         std::to_string(s.ConvertHTML) + std::to_string(s.ExportWithSyntaxH) +
         std::to_string(s.WithPictures);
}

TEST(ExportSettingsTest, FirstRunHasTheDefaultsAndFirstSaveWritesAllFive) {
  FakeStorage storage;
  SettingsHolder holder(storage);
  EXPECT_EQ(describe(holder.Get()), "10001");
  holder.Get().SaveTo(storage);
  EXPECT_EQ(storage.values, (std::map<std::string, int32_t>{{"ExportPlainTextAsHTML", 1},
                                                             {"MakeFullSearch", 0},
                                                             {"ConvertHTML", kRtfToHtml},
                                                             {"ExportWithSyntaxH", 0},
                                                             {"WithPictures", 1}}));
}

TEST(ExportSettingsTest, MissingValuesKeepTheirDefaults) {
  FakeStorage storage;
  storage.keyExists = true;
  storage.values = {{"MakeFullSearch", 1}};
  SettingsHolder holder(storage);
  EXPECT_EQ(describe(holder.Get()), "11001");
}

TEST(ExportSettingsTest, StoredValuesAreTakenAsTheyAre) {
  FakeStorage storage;
  storage.keyExists = true;
  storage.values = {{"ExportPlainTextAsHTML", 0}, {"MakeFullSearch", 1}, {"ConvertHTML", kRtfLinkPage},
                    {"ExportWithSyntaxH", 1},     {"WithPictures", 5}};
  SettingsHolder holder(storage);
  EXPECT_EQ(describe(holder.Get()), "01315");
}

TEST(ExportSettingsTest, UnknownConversionModeIsReadAsZeroAndRepairedAtSave) {
  for (int32_t stored : {-1, 4, 7}) {
    FakeStorage storage;
    storage.keyExists = true;
    storage.values = {{"ConvertHTML", stored}};
    SettingsHolder holder(storage);
    EXPECT_EQ(holder.Get().ConvertHTML, kRtfToHtml) << stored;
    holder.Get().SaveTo(storage);
    EXPECT_EQ(storage.values["ConvertHTML"], kRtfToHtml) << stored;
  }
}

TEST(ExportSettingsTest, StorageIsReadOnceAndLaterChangesAreNotSeen) {
  FakeStorage storage;
  SettingsHolder holder(storage);
  ExportSettings& first = holder.Get();
  first.ExportWithSyntaxH = 1;
  storage.keyExists = true;
  storage.values = {{"ExportWithSyntaxH", 0}};
  ExportSettings& second = holder.Get();
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(second.ExportWithSyntaxH, 1);
  EXPECT_EQ(storage.reads, 1);
}

}  // namespace
}  // namespace t2c
