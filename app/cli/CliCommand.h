#pragma once

#include "app/cli/CliErrors.h"
#include "app/cli/CliIo.h"
#include "app/cli/CliJson.h"
#include "platform/automation/Automation.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <functional>
#include <memory>

// Opens the browsers at the --endpoint addresses given, or where the
// environment says when none is given. Throws CliUsageError for an address
// that cannot be used.
using CliConnect = std::function<std::shared_ptr<automation::ShellWindows>(const QStringList &endpoints)>;

struct CliContext
{
    CliStdout &out;
    CliStderr &err;
    CliConnect connect;
};

// One command as it runs.
struct CliCall
{
    const QCommandLineParser &options;
    QStringList arguments; // the positional ones, counted already
    QStringList endpoints;
    CliContext &context;

    CliStdout &out() const { return context.out; }
    CliStderr &err() const { return context.err; }
    std::shared_ptr<automation::ShellWindows> shellWindows() const { return context.connect(endpoints); }
    // --json, --jsonl or neither; both are a usage error.
    RowFormat rowFormat() const;
};

// A command: what its help says and what runs it.
struct CliCommand
{
    QString name;
    QString summary;     // one line, for the list of commands
    QString description; // its help
    QList<std::pair<QString, QString>> arguments; // name and help, all required
    QList<QCommandLineOption> options;
    std::function<int(CliCall &)> run;
};

// The --json and --jsonl options of the commands that list rows.
QList<QCommandLineOption> RowFormatOptions();

CliCommand TabsCommand();
CliCommand ElementsCommand();
CliCommand SetValueCommand();
CliCommand ClickCommand();
CliCommand FocusCommand();

// Runs the command line (without the program's name). Every failure ends
// with a message on stderr and its exit status; nothing escapes.
int RunCli(const QStringList &arguments, CliContext &context);
