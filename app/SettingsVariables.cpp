#include "app/SettingsVariables.h"

SettingsVariables gSettings;
