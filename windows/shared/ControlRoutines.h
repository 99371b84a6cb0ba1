#pragma once

#include <QString>

class QWidget;

namespace shared {

// Mouse pointer codes; any other code is the default pointer.
inline constexpr qint16 kPointerHourglass = 11;
inline constexpr qint16 kPointerArrowHourglass = 13;
inline constexpr qint16 kPointerDefault = 0;

// Writes the main window's "Status" panel, whichever window calls; nothing
// happens while there is no such panel.
void SetStatusText(const QString &text);
// The default pointer also puts "Ready" into the status panel.
void SetMousePointer(qint16 pointer);
// Neither moves, resizes nor focuses the window.
void SetTopMost(QWidget *window, bool topMost);

} // namespace shared
