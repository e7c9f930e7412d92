#pragma once
// The settings this run goes by: read once at start, replaced when the user changes them.

#include "settings/Settings.h"

const Settings& CurrentSettings();
void UseSettings(const Settings& settings);
