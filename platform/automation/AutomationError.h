#pragma once

#include <QString>
#include <exception>

namespace automation {

// The one error type of the automation layer. Callers classify failures by
// number, and the error messages show it. The description is what the
// user's message box says; the detail, where there is one, says in plain
// English what failed, for logs and the command line.
class AutomationError : public std::exception
{
public:
    enum Number : qint32 {
        Overflow = 6,
        TypeMismatch = 13,              // a stored text that is not the number it should be
        PermissionDenied = 70,          // the document was replaced by a navigation
        ObjectNotSet = 91,              // an absent object, or an index outside a collection
        NoAutomationSupport = 430,
        AutomationFailure = 440,        // time limit passed, or any other protocol failure
        MemberNotFound = 438,
        ServerUnavailable = 462,        // the tab or the browser has gone
    };

    AutomationError(qint32 number, QString source, QString description, QString detail = {});

    qint32 number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const QString &detail() const { return m_detail; }
    // The detail where there is one, else the description: for a status line.
    const QString &summary() const { return m_detail.isEmpty() ? m_description : m_detail; }
    const char *what() const noexcept override { return m_what.constData(); }
    // The browser gave no answer in time, or has given none since an earlier
    // call went unanswered: what was asked about is unknown, not changed.
    bool unanswered() const { return m_unanswered; }

    static AutomationError overflow(const QString &source);
    static AutomationError permissionDenied(const QString &source);
    static AutomationError objectNotSet(const QString &source);
    static AutomationError noAutomationSupport(const QString &source);
    static AutomationError memberNotFound(const QString &source, const QString &member);
    static AutomationError serverUnavailable(const QString &source, const QString &detail = {});
    static AutomationError automationFailure(const QString &source, const QString &detail);
    // An AutomationFailure that is unanswered().
    static AutomationError noAnswer(const QString &source, const QString &detail);

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    QString m_detail;
    QByteArray m_what;
    bool m_unanswered = false;
};

} // namespace automation
