#pragma once

#include <QString>

namespace chromium {

// The source that the errors of the Chromium backend name.
inline const QString kErrorSource = QStringLiteral("Chromium");

} // namespace chromium
