#pragma once

#include "settings/SettingsVariables.h"

// Move every setting between the settings store and rSettings. A stored
// text that does not convert to its setting's type (a 16-bit value of
// 99999, a word where a number belongs) loads that setting's default;
// every other setting still loads, and keys the program does not know stay
// in the store untouched.
void LoadSettings(SettingsVariables &rSettings);
// False when any setting could not be written; the others still are, and
// a file that could not be written keeps what it held.
bool SaveSettings(const SettingsVariables &vSettings);
