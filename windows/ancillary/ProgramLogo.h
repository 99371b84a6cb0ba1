#pragma once

#include <QIcon>
#include <QPixmap>

namespace ancillary {

inline constexpr int kLogoSize = 100;

// A page of element rows under a magnifying glass, kLogoSize pixels square.
QPixmap ProgramLogo();

// The same drawing as the icon of the windows and of the desktop entry,
// from the SVG file that an install gives the desktop. Rendering it takes
// Qt's SVG plugins (Debian's libqt6svg6); without them the icon is empty.
QIcon ProgramIcon();

} // namespace ancillary
