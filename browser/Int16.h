#pragma once

#include "platform/automation/AutomationError.h"

#include <limits>

namespace browser {

// A count, position or size carried as a 16-bit integer.
inline qint16 toInt16(qint32 value, const QString &source)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw automation::AutomationError::overflow(source);
    return qint16(value);
}

} // namespace browser
