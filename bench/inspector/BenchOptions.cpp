#include "bench/inspector/BenchOptions.h"

#include <QCommandLineParser>

#include <cstdio>
#include <type_traits>

namespace bench {

using namespace Qt::StringLiterals;

namespace {

// A whole number of at least `least`.
std::optional<int> number(const QString &text, int least)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= least ? std::optional(n) : std::nullopt;
}

} // namespace

std::optional<BenchOptions> parseOptions(const QStringList &arguments)
{
    BenchOptions options;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"The inspector on big pages in a headless Chromium, each figure beside a baseline from the same run."_s);
    parser.addPositionalArgument(u"elements"_s, u"Sizes of the generated pages (default 10000 100000)."_s,
                                 u"[elements...]"_s);
    const QCommandLineOption runs(u"runs"_s, u"Which runs, comma-separated: sizes, stdtypes, stall (default all)."_s,
                                  u"list"_s);
    const QCommandLineOption rounds(u"rounds"_s, u"Update clicks timed per page; figures are medians (default 3)."_s,
                                    u"n"_s);
    const QCommandLineOption fillTimeout(
        u"fill-timeout"_s, u"Seconds a fill may take before it counts as not finished (default 60)."_s, u"s"_s);
    const QCommandLineOption stallSize(u"stall-size"_s, u"Elements of the page the stall run fills (default 100000)."_s,
                                       u"n"_s);
    const QCommandLineOption stopSeconds(u"stop-seconds"_s, u"How long the stall run stops the browser (default 10)."_s,
                                         u"s"_s);
    const QCommandLineOption pythonDoc(u"python-doc"_s, u"Python's stdtypes.html, from python3-doc."_s, u"file"_s,
                                       options.pythonDoc);
    parser.addOptions({runs, rounds, fillTimeout, stallSize, stopSeconds, pythonDoc});
    parser.addHelpOption();

    const auto fail = [&](const QString &why) {
        std::fputs((why + u"\n\n"_s + parser.helpText()).toUtf8().constData(), stderr);
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(u"help"_s)) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
        return std::nullopt;
    }
    const auto numberOption = [&](const QCommandLineOption &option, int least, auto &into) {
        if (!parser.isSet(option))
            return true;
        const std::optional<int> n = number(parser.value(option), least);
        if (n)
            into = std::remove_reference_t<decltype(into)>(*n);
        return n.has_value();
    };
    if (!numberOption(rounds, 1, options.rounds) || !numberOption(fillTimeout, 1, options.fillTimeout)
        || !numberOption(stallSize, 8, options.stallSize) || !numberOption(stopSeconds, 1, options.stopTime))
        return fail(u"a number is missing or too small"_s);
    if (parser.isSet(runs)) {
        const QStringList chosen = parser.value(runs).split(u',');
        for (const QString &run : chosen) {
            if (run != u"sizes"_s && run != u"stdtypes"_s && run != u"stall"_s)
                return fail(u"no run is called "_s + run);
        }
        options.runSizes = chosen.contains(u"sizes"_s);
        options.runStdtypes = chosen.contains(u"stdtypes"_s);
        options.runStall = chosen.contains(u"stall"_s);
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.sizes.clear();
        for (const QString &size : parser.positionalArguments()) {
            // HTML, HEAD, TITLE and BODY come with every page.
            const std::optional<int> n = number(size, 8);
            if (!n)
                return fail(u"a page size is not a number of at least 8: "_s + size);
            options.sizes.append(*n);
        }
    }
    options.pythonDoc = parser.value(pythonDoc);
    return options;
}

} // namespace bench
