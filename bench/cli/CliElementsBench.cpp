// vorlane-cli elements --json over generated pages, whole process, against a
// minimal Node DevTools client (elements_client.mjs) that reads the same
// properties of every element in one script, in interleaved rounds:
//   - the time of each, at every size, and what the same read costs inside
//     the page alone;
//   - vorlane-cli's peak memory against the size of what it printed;
//   - --tag INPUT at 32,000 elements against the same filter in the script.
//
//   build/bench/cli/bench_cli_elements [rounds] [sizes...]
//
// The bench and vorlane-cli run with VORLANE_CALL_TIMEOUT_MS=60000: on a page
// of 100,000 elements, or on a busy machine, single calls may outlast the 2 s
// default, and a deadline is not what is measured here.
#include "bench/support/Timing.h"
#include "bench/support/VorlaneCli.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using bench::ProgramRun;
using bench::VorlaneCli;

constexpr int kTagSize = 32000;

// Elements in the proportions of a long form page: one in eight an INPUT.
// Exactly `elements` of them, HTML, HEAD, TITLE and BODY included.
QString generatedPage(int elements)
{
    static const QStringList types{u"text"_s, u"password"_s, u"radio"_s, u"checkbox"_s, u"submit"_s, u"hidden"_s};
    QString html = u"<!doctype html><title>elements</title><body>"_s;
    int count = 4;
    // Sixteen elements, two of them INPUT.
    constexpr int kBlock = 16;
    for (int n = 0; count + kBlock <= elements; ++n, count += kBlock) {
        html += u"<div id=r%1><input type=%2 name=a%1 value=v%1><a href=\"http://a.test/%1\">link %1</a>"
                u"<span title=s%1>span %1</span><b>bold %1</b>"
                u"<table><tr><td>cell %1</td><td><input type=%3 name=b%1></td></tr></table>"
                u"<a href=\"mailto:m%1@a.test\">mail</a><img alt=\"picture %1\"><br><font color=red>%1</font>"
                u"<i>%1</i></div>"_s.arg(n)
                    .arg(types[n % types.size()], types[(n + 3) % types.size()]);
    }
    for (; count < elements; ++count)
        html += u"<i>.</i>"_s;
    return html;
}

// The first lines of what a failed run said.
void reportFailure(const char *what, const ProgramRun &r)
{
    std::printf("  %s FAILED after %.0f ms: %s\n", what, r.ms, r.err.left(400).trimmed().constData());
}

struct Bench
{
    quint16 port = 0;
    std::optional<VorlaneCli> cli;
    QString node;
    QString pageUrl;
    // What the program takes to start, connect and list: the part of its
    // peak that no output size changes.
    double baselinePeak = 0;

    QStringList client(const QStringList &extra) const
    {
        return QStringList{u"--experimental-websocket"_s, QStringLiteral(ELEMENTS_CLIENT), QString::number(port),
                           pageUrl}
            + extra;
    }

    // The handle of the tab that shows the page, from vorlane-cli tabs.
    QString handle()
    {
        ProgramRun tabs;
        const QString found = cli->handleOf(pageUrl, &tabs);
        baselinePeak = double(tabs.peakBytes);
        return found;
    }
};

struct Side
{
    QList<double> ms;
    QList<double> peaks;
    qsizetype bytes = 0;
    qsizetype rows = -1;
    bool failed = false;

    void add(const char *what, const ProgramRun &r)
    {
        if (!r.ok) {
            if (!failed)
                reportFailure(what, r);
            failed = true;
            return;
        }
        ms.append(r.ms);
        peaks.append(double(r.peakBytes));
        bytes = r.out.size();
        rows = VorlaneCli::jsonRows(r.out);
    }
};

// Ours against the client in turns, every element or those of one tag;
// returns whether both ran every round and listed the same rows.
bool race(const Bench &bench, const QString &handle, const QString &tag, int rounds, int size)
{
    const bool all = tag.isEmpty();
    Side ours, theirs;
    QList<double> ratios, inPage;
    const QStringList filter = all ? QStringList{} : QStringList{u"--tag"_s, tag};
    const QStringList ourCommand = QStringList{u"elements"_s, u"--json"_s} + filter + QStringList{handle};
    for (int round = 0; round < rounds; ++round) {
        // Alternating who goes first, so that neither always meets a cold page.
        const bool oursFirst = round % 2 == 0;
        ProgramRun a, b;
        if (oursFirst)
            a = bench.cli->run(ourCommand);
        b = bench::runProgram(bench.node, bench.client(all ? QStringList{} : QStringList{tag}));
        if (!oursFirst)
            a = bench.cli->run(ourCommand);
        ours.add("vorlane-cli", a);
        theirs.add("node client", b);
        if (a.ok && b.ok)
            ratios.append(a.ms / b.ms);
        if (all) {
            const ProgramRun timed = bench::runProgram(bench.node, bench.client({u"--in-page-ms"_s}));
            if (timed.ok)
                inPage.append(timed.out.trimmed().toDouble());
        }
    }
    const QString what = all ? u"all elements"_s : u"--tag "_s + tag;
    std::printf("%d elements, %s, medians of %d rounds:\n", size, qPrintable(what), rounds);
    if (!ours.ms.isEmpty())
        std::printf("  vorlane-cli elements --json: %8.0f ms, %lld rows, %lld bytes\n", bench::median(ours.ms),
                    qlonglong(ours.rows), qlonglong(ours.bytes));
    if (!theirs.ms.isEmpty())
        std::printf("  node client:                 %8.0f ms, %lld rows, %lld bytes, peak %.0f MB\n",
                    bench::median(theirs.ms), qlonglong(theirs.rows), qlonglong(theirs.bytes),
                    bench::median(theirs.peaks) / 1e6);
    if (!inPage.isEmpty())
        std::printf("  the client's read, timed in the page: %.0f ms\n", bench::median(inPage));
    if (!ratios.isEmpty())
        std::printf("  ratio: %.2f, the median of %lld rounds' ratios (target at most %.1f)\n", bench::median(ratios),
                    qlonglong(ratios.size()), all ? 0.5 : 1.2);
    if (ours.rows >= 0 && theirs.rows >= 0 && ours.rows != theirs.rows)
        std::printf("  ROW COUNTS DIFFER: %lld against %lld\n", qlonglong(ours.rows), qlonglong(theirs.rows));
    if (all && theirs.rows >= 0 && theirs.rows != size)
        std::printf("  THE PAGE HAS %lld ELEMENTS, NOT %d\n", qlonglong(theirs.rows), size);
    if (all && !ours.peaks.isEmpty()) {
        const double peak = bench::median(ours.peaks);
        std::printf("  vorlane-cli peak memory: %.0f MB (at most %.0f) for %.0f MB of output, %.2f times (target at "
                    "most 2)\n",
                    peak / 1e6, *std::max_element(ours.peaks.cbegin(), ours.peaks.cend()) / 1e6,
                    double(ours.bytes) / 1e6, peak / double(ours.bytes));
        std::printf("    above what vorlane-cli tabs takes (%.0f MB): %.2f times the output\n", bench.baselinePeak / 1e6,
                    (peak - bench.baselinePeak) / double(ours.bytes));
    }
    return !ours.failed && !theirs.failed && ours.rows == theirs.rows;
}

int runBench(int rounds, const QList<int> &sizes)
{
    Bench bench;
    bench.node = QStandardPaths::findExecutable(u"node"_s);
    if (bench.node.isEmpty()) {
        std::fprintf(stderr, "bench_cli_elements: node is not installed; the comparison needs it\n");
        return 1;
    }
    testsupport::TestHttpServer server;
    testsupport::HeadlessChromium headless;
    headless.start(server.port());
    bench.port = headless.endpoint().port;
    bench.cli.emplace(QStringLiteral(VORLANE_CLI), bench.port);
    chromium::ChromiumShellWindows shell({headless.endpoint()});
    automation::BrowserPtr browser = shell.createBrowser();

    bool allRan = true;
    for (const int size : sizes) {
        const QString path = u"/elements"_s + QString::number(size) + u".html"_s;
        server.setPage(path, generatedPage(size));
        bench.pageUrl = server.url(path);
        browser->navigate(bench.pageUrl);
        QElapsedTimer loading;
        loading.start();
        while ((browser->readyState() != automation::ReadyState::Complete || browser->busy())
               && loading.elapsed() < 60000)
            QThread::msleep(20);
        const QString handle = bench.handle();
        if (handle.isEmpty()) {
            std::printf("%d elements: vorlane-cli tabs does not list the page\n", size);
            allRan = false;
            continue;
        }
        allRan = race(bench, handle, {}, rounds, size) && allRan;
        if (size == kTagSize)
            allRan = race(bench, handle, u"INPUT"_s, rounds, size) && allRan;
        std::fflush(stdout);
    }
    return allRan ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("VORLANE_CALL_TIMEOUT_MS", "60000");
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QList<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.append(std::max(4, std::atoi(argv[i])));
    if (sizes.isEmpty())
        sizes = {10000, kTagSize, 100000};
    try {
        return runBench(rounds, sizes);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_cli_elements: %s\n", e.what());
        return 1;
    }
}
