// vorlane-cli: the program's classes from the command line, for scripts and
// for checking the program from outside.
#include "app/cli/CliCommand.h"
#include "platform/automation/AutomationError.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] = "usage: vorlane-cli tabs [--json] | elements HANDLE [filter options] [--first] [--registered]"
                      " [--json] | set-value HANDLE ITEM TEXT | click HANDLE ITEM | focus HANDLE NAME";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const CliOutput io{out, err};

    const std::map<QString, std::function<int(const QStringList &, CliOutput)>> commands{
        {u"tabs"_s, RunTabsCommand},
        {u"elements"_s, RunElementsCommand},
        {u"set-value"_s, RunSetValueCommand},
        {u"click"_s, RunClickCommand},
        {u"focus"_s, RunFocusCommand},
    };
    QStringList args = app.arguments().mid(1);
    const auto command = args.isEmpty() ? commands.end() : commands.find(args.takeFirst());
    if (command == commands.end()) {
        err << kUsage << '\n';
        return ExitUsage;
    }
    try {
        return command->second(args, io);
    } catch (const CliUsageError &e) {
        err << "vorlane-cli: " << e.what() << '\n' << kUsage << '\n';
        return ExitUsage;
    } catch (const automation::AutomationError &e) {
        err << "vorlane-cli: " << e.description() << '\n';
        return ExitUsage;
    }
}
