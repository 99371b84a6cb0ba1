#pragma once

#include "platform/automation/AutomationError.h"

#include <QString>

#include <stdexcept>

// Exit statuses of vorlane-cli.
enum CliExit : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Bad arguments, or no browser: the message goes to stderr with a short
// usage, exit status 2.
class CliUsageError : public std::runtime_error
{
public:
    explicit CliUsageError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString message() const { return QString::fromStdString(what()); }
};

// The operation failed: the message goes to stderr, exit status 1.
class CliFailure : public std::runtime_error
{
public:
    explicit CliFailure(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString message() const { return QString::fromStdString(what()); }
};

// What went wrong, in plain English, with the error number at the end:
// "the tab or the browser has gone (error 462)". The descriptions are the
// GUI's Japanese; the error's English detail says it where there is one.
QString CliErrorText(const automation::AutomationError &error);

// The same for a failure known only by its number.
QString CliErrorText(qint32 number);
