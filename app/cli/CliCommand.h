#pragma once

#include <QStringList>
#include <QTextStream>

#include <stdexcept>

// Exit statuses of vorlane-cli.
enum CliExit : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Bad arguments, or no browser: the message goes to stderr, exit status 2.
class CliUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct CliOutput
{
    QTextStream &out;
    QTextStream &err;
};

// `vorlane-cli tabs [--json]`
int RunTabsCommand(const QStringList &args, CliOutput io);

// `vorlane-cli elements HANDLE [filter options] [--first] [--registered] [--json]`
int RunElementsCommand(const QStringList &args, CliOutput io);
// `vorlane-cli set-value HANDLE ITEM TEXT`
int RunSetValueCommand(const QStringList &args, CliOutput io);
// `vorlane-cli click HANDLE ITEM`
int RunClickCommand(const QStringList &args, CliOutput io);
// `vorlane-cli focus HANDLE NAME`
int RunFocusCommand(const QStringList &args, CliOutput io);
