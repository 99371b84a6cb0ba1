#pragma once

#include <QtGlobal>

class QWidget;

namespace shared {

// Fades a top-level window out while a modal window works over it, and
// brings it back. Fading takes it to opacity percent and out of the topmost
// band. Restoring makes it opaque again and topmost exactly when topMost
// (the user's setting) says so; opacity is not used then. Where the window
// system cannot fade windows, a shown window is hidden instead and comes
// back to the place and state (normal, minimised, maximised) it had.
void SetFormTransparency(QWidget *window, bool restore, qint16 opacity, bool topMost);

} // namespace shared
