#pragma once

#include "platform/automation/AutomationError.h"

#include <optional>

// What a look at the bound tab found, against the page bound last.
struct PageCheck
{
    enum class Outcome {
        SamePage,
        // Another address or none: the tab navigated, left the web or closed.
        Elsewhere,
        // Unknown: the browser did not answer in time, or is known not to.
        NoAnswer,
    };

    Outcome outcome = Outcome::SamePage;
    // What said so, for NoAnswer.
    std::optional<automation::AutomationError> failure;
};
