#include "settings/CurrentSettings.h"

namespace {

Settings& Slot() {
  static Settings settings;
  return settings;
}

}  // namespace

const Settings& CurrentSettings() { return Slot(); }

void UseSettings(const Settings& settings) { Slot() = settings; }
