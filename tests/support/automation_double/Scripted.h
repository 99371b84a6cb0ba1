#pragma once

#include "platform/automation/AutomationError.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace automation::doubles {

// Shared by an object and everything it handed out; once ended, every call
// on any of them fails with that error number.
struct Lifetime
{
    qint32 endedWith = 0;
};

// An error as the platform would raise it; an empty description takes the
// platform's usual text for that number.
AutomationError makeError(qint32 number, const QString &source, const QString &description = {});

// What every scripted object shares: members made to fail on demand, a
// lifetime that can end, and a journal of the members touched, in order.
class Scripted
{
public:
    // Member names are matched without regard to case; a property's read
    // and write are one member.
    void failOn(const QString &member, qint32 number, const QString &description = {});
    // The member's calls go unanswered, as in a browser that stopped.
    void leaveUnanswered(const QString &member);
    void clearFailure(const QString &member);
    // Runs action each time the member is entered, before it answers: the
    // world changing under a call.
    void onEnter(const QString &member, std::function<void()> action);

    // Reads and calls appear as the member's name, writes as "Name=value".
    const QStringList &journal() const { return m_journal; }
    void clearJournal() { m_journal.clear(); }

protected:
    explicit Scripted(std::shared_ptr<Lifetime> life);
    ~Scripted() = default;

    // Every member starts here, and throws where the real object would.
    void enter(const QString &member) const;
    void enterPut(const QString &member, const QVariant &value) const;

    const std::shared_ptr<Lifetime> &life() const { return m_life; }

private:
    struct Failure
    {
        qint32 number = 0;
        QString description;
        bool unanswered = false;
    };

    void check(const QString &member) const;

    std::shared_ptr<Lifetime> m_life;
    QHash<QString, Failure> m_failures;
    QHash<QString, std::function<void()>> m_actions;
    mutable QStringList m_journal;
};

} // namespace automation::doubles
