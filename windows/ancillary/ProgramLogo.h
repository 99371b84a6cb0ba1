#pragma once

#include <QPixmap>

namespace ancillary {

inline constexpr int kLogoSize = 100;

// A page of element rows under a magnifying glass, kLogoSize pixels square.
QPixmap ProgramLogo();

} // namespace ancillary
