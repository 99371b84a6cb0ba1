#pragma once

#include <QString>

namespace ancillary {

inline const QString kCompanyName = QStringLiteral("Halvard");

// The desktop id: the installed .desktop file, icon and metadata carry it
// in their names, and the windows give it to the window system.
extern const QString kDesktopFileId;

// The rights notice that both the splash and the About window carry.
extern const QString kCopyingWarning;

// vPrefix, then major.minor.revision of this build: "Version 1.0.0".
QString VersionText(const QString &vPrefix);

} // namespace ancillary
