#pragma once

#include "platform/automation/AutomationError.h"

#include <QSet>
#include <QString>

namespace ui {
class UiServices;
}

// One property of one element as read for the page model.
struct ItemText
{
    enum class Outcome {
        Read,        // the member's value
        Unavailable, // the element lacks the member, or is gone
        Beeped,      // an automation error; the user heard a beep
        Reported,    // any other error; beep and error message box
    };

    QString text;
    Outcome outcome = Outcome::Read;

    bool unavailable() const { return outcome == Outcome::Unavailable; }
};

// True for the error numbers that mean "no such property here" rather than
// a fault: 438, 70, 462, 91 and 430.
bool IsUnavailableError(qint32 number);

// Turns failed reads into their outcome and tells the user, for the length
// of one operation. A failure that persists reaches the user's message box
// once per operation; its later repeats only beep, so that a search over
// thousands of elements cannot stack up thousands of boxes.
class ReadFailures
{
public:
    explicit ReadFailures(ui::UiServices &ui);

    ItemText classify(const automation::AutomationError &error);

private:
    ui::UiServices &m_ui;
    QSet<QString> m_shown;
};
