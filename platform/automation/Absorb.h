#pragma once

#include "platform/automation/AutomationError.h"

namespace automation {

// Runs `call`; an automation failure gives `neutral` instead.
template<typename T, typename Call>
T absorbed(T neutral, Call &&call)
{
    try {
        return call();
    } catch (const AutomationError &) {
        return neutral;
    }
}

// Runs `call`; an automation failure is dropped.
template<typename Call>
void ignoringFailure(Call &&call)
{
    try {
        call();
    } catch (const AutomationError &) {
    }
}

} // namespace automation
