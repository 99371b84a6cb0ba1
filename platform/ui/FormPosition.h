#pragma once

#include "platform/stores/IniProgramSettings.h"

#include <QRect>
#include <QString>

class QScreen;
class QWidget;

// The placement of top-level windows, kept in the program settings under
// section "ＦormPosition" (full-width first letter) as the window state
// (0 normal, 1 minimised, 2 maximised), the top-left corner of the outer
// frame and the size inside the frame, in twips. Position and size are each
// saved and restored as the same kind they are stored as, so a window
// system that reports its frame only after the window is shown (X11) cannot
// make the window creep by the frame's size from run to run.

// Writes vName + "WindowState", and the bounds while the window is visible
// and normal. False when any of them could not be written.
bool SaveFormPosition(const QWidget &rWindow, const QString &vName,
                      stores::ProgramSettings &rStore = stores::userProgramSettings());

// Centres a normal window on its screen, then gives it its stored bounds,
// shown or not yet shown, kept on the screen. The stored state follows,
// then vState when it is 0 or 1. Stored values that are not numbers are
// ignored.
void RestoreFormPosition(QWidget &rWindow, const QString &vName, qint32 vState,
                         stores::ProgramSettings &rStore = stores::userProgramSettings());

// outer moved as little as it takes to lie on the screen its centre is on,
// else on fallback, else on the primary screen; one larger than the screen
// ends at its top or left edge.
QRect KeptOnScreen(QRect outer, const QScreen *fallback = nullptr);

// Pulls a visible, normal window back inside its screen; one larger than
// the screen ends at the top or left edge.
void KeepFormOnScreen(QWidget &rWindow);
