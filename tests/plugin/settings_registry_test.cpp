// Settings through the real registry: first-run defaults, round trip, partial keys, repair.
#include <windows.h>

#include <gtest/gtest.h>

#include "model/export_settings.h"

namespace t2c {
namespace {

const char kKey[] = "Software\\Brenmoor\\Tessaly\\Plugins\\Tessaly2CHM";

class SettingsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

  static void store(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }

  static std::string stored() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "no key";
    std::string out;
    for (const char* name :
         {"ExportPlainTextAsHTML", "MakeFullSearch", "ConvertHTML", "ExportWithSyntaxH", "WithPictures"}) {
      DWORD type = 0, value = 0, size = sizeof value;
      if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
          type == REG_DWORD)
        out += std::to_string(value);
      else
        out += "?";
    }
    RegCloseKey(key);
    return out;
  }

  static std::string loaded() {
    SettingsHolder holder(platformSettingsStorage());
    const ExportSettings& s = holder.Get();
    return std::to_string(s.ExportPlainTextAsHTML) + std::to_string(s.MakeFullSearch) +
           std::to_string(s.ConvertHTML) + std::to_string(s.ExportWithSyntaxH) +
           std::to_string(s.WithPictures);
  }
};

TEST_F(SettingsRegistryTest, FirstRunUsesDefaultsAndFirstSaveCreatesTheKey) {
  EXPECT_EQ(loaded(), "10001");
  EXPECT_EQ(stored(), "no key");
  SettingsHolder holder(platformSettingsStorage());
  holder.Get().SaveTo(holder.Storage());
  EXPECT_EQ(stored(), "10001");
}

TEST_F(SettingsRegistryTest, ChangedValuesRoundTrip) {
  SettingsHolder holder(platformSettingsStorage());
  ExportSettings& s = holder.Get();
  s.ExportPlainTextAsHTML = 0;
  s.MakeFullSearch = 1;
  s.ConvertHTML = kRtfLinkPage;
  s.ExportWithSyntaxH = 1;
  s.WithPictures = 0;
  s.SaveTo(holder.Storage());
  EXPECT_EQ(stored(), "01310");
  EXPECT_EQ(loaded(), "01310");
}

TEST_F(SettingsRegistryTest, KeyWithOneValueKeepsTheOtherDefaults) {
  DWORD one = 1;
  store("MakeFullSearch", REG_DWORD, &one, sizeof one);
  EXPECT_EQ(loaded(), "11001");
}

TEST_F(SettingsRegistryTest, StoredTypeIsIgnoredButTheSizeIsNot) {
  DWORD three = 3;
  store("ConvertHTML", REG_BINARY, &three, sizeof three);
  unsigned short two = 0;
  store("WithPictures", REG_BINARY, &two, sizeof two);
  const char text[] = "0";
  store("ExportPlainTextAsHTML", REG_SZ, text, sizeof text);
  EXPECT_EQ(loaded(), "10301");
}

TEST_F(SettingsRegistryTest, UnknownConversionModeIsRepairedAtTheNextSave) {
  DWORD seven = 7;
  store("ConvertHTML", REG_DWORD, &seven, sizeof seven);
  SettingsHolder holder(platformSettingsStorage());
  EXPECT_EQ(holder.Get().ConvertHTML, kRtfToHtml);
  holder.Get().SaveTo(holder.Storage());
  EXPECT_EQ(stored(), "10001");
}

}  // namespace
}  // namespace t2c
