// Settings storage of builds without a registry: nothing is kept, so the defaults always apply.
#include "model/export_settings.h"

namespace t2c {

namespace {
class NoSettingsStorage : public SettingsStorage {
 public:
  bool Read(const SettingField*, int) override { return false; }
  void Write(const SettingField*, int) override {}
};
}  // namespace

SettingsStorage& platformSettingsStorage() {
  static NoSettingsStorage storage;
  return storage;
}

}  // namespace t2c
