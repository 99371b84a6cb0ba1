#pragma once

#include <QString>

// The application name under which every store keeps this program's values.
inline const QString kApplicationTitle = QStringLiteral("Vorlane");
