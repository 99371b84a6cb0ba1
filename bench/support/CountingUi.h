#pragma once

#include "platform/ui/QuietUiServices.h"

namespace bench {

// Beeps and message boxes go nowhere; only their number is kept, so that a
// run that failed quietly shows.
class CountingUi final : public ui::QuietUiServices
{
public:
    ui::MessageResult messageBox(const QString &, const QString &, ui::MessageIcon, ui::MessageButtons) override
    {
        ++reports;
        return ui::MessageResult::Ok;
    }
    void beep() override { ++reports; }

    int reports = 0;
};

} // namespace bench
