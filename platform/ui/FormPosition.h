#pragma once

#include "platform/stores/IniProgramSettings.h"

#include <QString>

class QWidget;

// The placement of top-level windows, kept in the program settings under
// section "ＦormPosition" (full-width first letter) as the window state
// (0 normal, 1 minimised, 2 maximised) and the outer bounds in twips.

// Writes vName + "WindowState", and the bounds while the window is visible
// and normal.
void SaveFormPosition(const QWidget &rWindow, const QString &vName,
                      stores::ProgramSettings &rStore = stores::userProgramSettings());

// Centres a normal window on its screen; a visible window then takes its
// stored bounds. The stored state follows, then vState when it is 0 or 1.
// Stored values that are not numbers are ignored.
void RestoreFormPosition(QWidget &rWindow, const QString &vName, qint32 vState,
                         stores::ProgramSettings &rStore = stores::userProgramSettings());

// Pulls a visible, normal window back inside its screen; one larger than
// the screen ends at the top or left edge.
void KeepFormOnScreen(QWidget &rWindow);
