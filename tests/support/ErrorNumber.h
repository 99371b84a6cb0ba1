#pragma once

#include "platform/automation/AutomationError.h"

#include <functional>

namespace testsupport {

// The number of the automation error the call raised, or 0 when it raised none.
inline qint32 errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const automation::AutomationError &e) {
        return e.number();
    }
    return 0;
}

} // namespace testsupport
