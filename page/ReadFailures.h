#pragma once

#include "platform/automation/AutomationError.h"

#include <QList>
#include <QSet>
#include <QString>

#include <memory>

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

    ItemText(QString text = {}, Outcome outcome = Outcome::Read,
             std::shared_ptr<const automation::AutomationError> failure = {}, qint32 unavailableNumber = 0)
        : text(std::move(text))
        , outcome(outcome)
        , failure(std::move(failure))
        , unavailableNumber(unavailableNumber)
    {
    }

    QString text;
    Outcome outcome = Outcome::Read;
    // Why a Beeped or Reported read failed; shared, since one failed call
    // fails many cells.
    std::shared_ptr<const automation::AutomationError> failure;
    // Why an Unavailable one is: a member the element lacks, or an element
    // or page that has gone.
    qint32 unavailableNumber = 0;

    bool unavailable() const { return outcome == Outcome::Unavailable; }
    bool failed() const { return failure != nullptr; }
    // Unavailable for another reason than a member the element lacks.
    bool elementMayHaveGone() const
    {
        return unavailable() && unavailableNumber != automation::AutomationError::MemberNotFound;
    }
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
    // Each failure that is told goes to record as well, when given.
    explicit ReadFailures(ui::UiServices &ui, QList<automation::AutomationError> *record = nullptr);

    ItemText classify(const automation::AutomationError &error);

private:
    ui::UiServices &m_ui;
    QList<automation::AutomationError> *m_record;
    QSet<QString> m_shown;
};
