#pragma once

#include <QString>
#include <exception>

namespace automation {

// The one error type of the automation layer. Callers classify failures by
// number, and the error messages show it.
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

    AutomationError(qint32 number, QString source, QString description);

    qint32 number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    static AutomationError overflow(const QString &source);
    static AutomationError permissionDenied(const QString &source);
    static AutomationError objectNotSet(const QString &source);
    static AutomationError noAutomationSupport(const QString &source);
    static AutomationError memberNotFound(const QString &source, const QString &member);
    static AutomationError serverUnavailable(const QString &source);
    // The description always contains automationFailureText(), which is how
    // callers recognise this class of failure.
    static AutomationError automationFailure(const QString &source, const QString &detail);

    // The text that marks an automation error in a description.
    static QString automationFailureText();

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace automation
