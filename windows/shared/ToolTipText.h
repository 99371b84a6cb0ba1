#pragma once

// How much of a long text a tool tip shows.

#include <QString>

namespace shared {

// text as a tool tip shows it: lines longer than a tool tip's line are
// broken, and what does not fit in a tool tip's lines is cut, the cut
// marked with "…" and followed by cutNote on a line of its own, so that a
// page's whole mark-up never fills the screen.
QString CappedToolTip(const QString &text, const QString &cutNote = {});

} // namespace shared
