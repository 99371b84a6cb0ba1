// vorlane-cli: the program's classes from the command line, for scripts and
// for checking the program from outside.
#include "app/cli/CliCommand.h"
#include "app/cli/CliEnvironment.h"

#include <QCoreApplication>

#include <unistd.h>

int main(int argc, char **argv)
{
    GuardStandardStreams();
    QCoreApplication app(argc, argv);
    CliStdout out(STDOUT_FILENO);
    CliStderr err(STDERR_FILENO, ::isatty(STDERR_FILENO) == 1);
    CliContext context{out, err, [](const QStringList &endpoints) { return ConnectChromium(endpoints); }};
    return RunCli(app.arguments().mid(1), context);
}
