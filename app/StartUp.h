#pragma once

#include "windows/main/frmMain.h"

struct SettingsVariables;

// The entry procedure. Refuses to run beside another copy; otherwise shows
// the splash window, initialises, loads and shows the main window, and runs
// until the main window has been unloaded. Returns the exit code.
int RunVorlane(const ShellWindowsFactory &newShellWindows);

// Makes the program's folder the current one, says when the store folder
// is one that other users can change, loads the settings into rSettings and
// saves them back at once, so that every setting is in the store from the
// first run on.
void InitializeApplication(SettingsVariables &rSettings);
