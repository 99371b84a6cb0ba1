#include "app/cli/CliCommand.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kProgram = u"vorlane-cli"_s;

QCommandLineOption helpOption()
{
    return {{u"h"_s, u"help"_s}, u"Show this help and exit."_s};
}

QCommandLineOption endpointOption()
{
    return {u"endpoint"_s,
            u"The browser's DevTools endpoint, http://host:port or ws://host:port/devtools/browser/ID, on "
            u"loopback; repeat it for several browsers. Replaces VORLANE_DEVTOOLS."_s,
            u"URL"_s};
}

QString synopsis(const CliCommand &command)
{
    QString text = command.name;
    for (const auto &argument : command.arguments)
        text += u' ' + argument.first;
    if (!command.options.isEmpty())
        text += u" [options]"_s;
    return text;
}

// Qt lays out the options but leaves the description as it is.
QString wrapped(const QString &text)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ')) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > 79) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : u" "_s) + word;
    }
    lines.append(line);
    return lines.join(u'\n');
}

QString commandNames(const QList<CliCommand> &commands)
{
    QStringList names;
    for (const CliCommand &command : commands)
        names.append(command.name);
    return names.join(u", "_s);
}

QString overview(const QList<CliCommand> &commands)
{
    QString text = u"Reads and drives the web pages open in Chromium, for scripts.\n\nCommands:\n"_s;
    for (const CliCommand &command : commands)
        text += u"  "_s + command.name.leftJustified(10) + command.summary + u'\n';
    text += u"  "_s + u"help"_s.leftJustified(10) + u"Show the help of a command: help COMMAND.\n"_s;
    text += u'\n' + wrapped(u"Exit status: 0 on success, 1 when the operation failed, 2 on bad arguments, "
                            u"when no browser answers or when no web page has the handle."_s);
    return text;
}

// The parser of one command: its own options and those every command takes.
void describe(QCommandLineParser &parser, const CliCommand &command)
{
    parser.setApplicationDescription(wrapped(command.description));
    parser.addOption(helpOption());
    parser.addOption(endpointOption());
    parser.addOptions(command.options);
    parser.addPositionalArgument(command.name, command.summary);
    for (const auto &argument : command.arguments)
        parser.addPositionalArgument(argument.first, argument.second, {});
}

QString commandHelp(const CliCommand &command)
{
    QCommandLineParser parser;
    describe(parser, command);
    return parser.helpText();
}

QString usageLine(const QList<CliCommand> &commands, const CliCommand *command)
{
    if (!command)
        return u"usage: vorlane-cli [--endpoint URL]... COMMAND [ARGUMENTS]; commands: "_s + commandNames(commands)
               + u", help\n"_s;
    return u"usage: vorlane-cli "_s + synopsis(*command) + u"; vorlane-cli help "_s + command->name
           + u" tells more\n"_s;
}

// Qt's "Unknown option 'x'." in the style of our other messages.
QString parseError(const QCommandLineParser &parser)
{
    QString text = parser.errorText();
    if (text.endsWith(u'.'))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

int dispatch(const QList<CliCommand> &commands, const QStringList &arguments, CliContext &context,
             const CliCommand *&current)
{
    QCommandLineParser top;
    top.setApplicationDescription(overview(commands));
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption version(u"version"_s, u"Show the version and exit."_s);
    top.addOption(helpOption());
    top.addOption(version);
    top.addOption(endpointOption());
    top.addPositionalArgument(u"command"_s, u"What to do; see the list above."_s, u"COMMAND [ARGUMENTS]"_s);
    if (!top.parse(QStringList{kProgram} + arguments))
        throw CliUsageError(parseError(top));
    if (top.isSet(u"help"_s)) {
        context.out << top.helpText();
        return ExitOk;
    }
    if (top.isSet(version)) {
        context.out << kProgram << ' ' << QStringLiteral(VORLANE_VERSION) << '\n';
        return ExitOk;
    }
    QStringList rest = top.positionalArguments();
    if (rest.isEmpty())
        throw CliUsageError(u"no command given"_s);
    const QString name = rest.takeFirst();
    const auto named = [&](const QString &wanted) {
        return std::find_if(commands.begin(), commands.end(),
                            [&](const CliCommand &c) { return c.name == wanted; });
    };
    if (name == u"help"_s) {
        if (rest.isEmpty()) {
            context.out << top.helpText();
            return ExitOk;
        }
        const auto wanted = named(rest.first());
        if (rest.size() > 1 || wanted == commands.end())
            throw CliUsageError(u"help takes one command name: "_s + commandNames(commands));
        context.out << commandHelp(*wanted);
        return ExitOk;
    }
    const auto command = named(name);
    if (command == commands.end())
        throw CliUsageError(u"unknown command "_s + name);
    current = &*command;

    QCommandLineParser parser;
    describe(parser, *command);
    if (!parser.parse(QStringList{kProgram} + rest))
        throw CliUsageError(parseError(parser));
    if (parser.isSet(u"help"_s)) {
        context.out << parser.helpText();
        return ExitOk;
    }
    const QStringList given = parser.positionalArguments();
    if (given.size() < command->arguments.size())
        throw CliUsageError(u"missing "_s + command->arguments[given.size()].first);
    if (given.size() > command->arguments.size())
        throw CliUsageError(u"unexpected argument "_s + given[command->arguments.size()]);
    CliCall call{parser, given, top.values(endpointOption()) + parser.values(endpointOption()), context};
    return command->run(call);
}

} // namespace

RowFormat CliCall::rowFormat() const
{
    const bool json = options.isSet(u"json"_s);
    const bool lines = options.isSet(u"jsonl"_s);
    if (json && lines)
        throw CliUsageError(u"--json and --jsonl exclude each other"_s);
    return json ? RowFormat::Json : lines ? RowFormat::JsonLines : RowFormat::Text;
}

QList<QCommandLineOption> RowFormatOptions()
{
    return {{u"json"_s, u"Write the rows as one JSON array."_s},
            {u"jsonl"_s, u"Write each row as a JSON object on a line of its own."_s}};
}

int RunCli(const QStringList &arguments, CliContext &context)
{
    const QList<CliCommand> commands{TabsCommand(), ElementsCommand(), SetValueCommand(), ClickCommand(),
                                     FocusCommand()};
    const CliCommand *current = nullptr;
    int status = ExitOk;
    try {
        status = dispatch(commands, arguments, context, current);
        context.out.flush();
    } catch (const CliUsageError &e) {
        context.err.message(e.message());
        context.err.write(usageLine(commands, current));
        status = ExitUsage;
    } catch (const CliFailure &e) {
        context.err.message(e.message());
        status = ExitFailed;
    } catch (const CliWriteError &e) {
        context.err.message(u"cannot write the output: "_s + QString::fromUtf8(e.what()));
        return ExitFailed;
    } catch (const automation::AutomationError &e) {
        // The operations turn their own failures into CliFailures; what is
        // left is the browser itself not answering.
        context.err.message(CliErrorText(e));
        status = ExitUsage;
    } catch (const std::exception &e) {
        context.err.message(u"unexpected failure: "_s + QString::fromLocal8Bit(e.what()));
        status = ExitFailed;
    }
    // What was written before a failure still reaches the reader.
    try {
        context.out.flush();
    } catch (const CliWriteError &e) {
        context.err.message(u"cannot write the output: "_s + QString::fromUtf8(e.what()));
        return ExitFailed;
    }
    return status;
}
