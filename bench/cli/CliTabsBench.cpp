// vorlane-cli tabs over many real tabs, whole process, against curl fetching
// the browser's own tab list in the same rounds.
//
//   build/bench/cli/bench_cli_tabs [tabs] [rounds]
#include "bench/support/LoadedTabs.h"
#include "bench/support/Timing.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// Milliseconds the program took, start to exit; negative when it failed.
double timedRun(const QString &program, const QStringList &arguments, qsizetype *rows = nullptr)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (rows)
        *rows = process.readAllStandardOutput().count('\n');
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int tabs = argc > 1 ? std::atoi(argv[1]) : 300;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    testsupport::TestHttpServer server;
    testsupport::HeadlessChromium chromium;
    chromium.start(server.port());
    const chromium::DevToolsEndpoint endpoint = chromium.endpoint();
    benchsupport::openLoadedTabs(
        server, std::make_shared<chromium::ChromiumShellWindows>(QList<chromium::DevToolsEndpoint>{endpoint}), tabs);
    const QString http = u"http://127.0.0.1:"_s + QString::number(endpoint.port);
    const QStringList cli{u"--endpoint"_s, http, u"tabs"_s};
    qsizetype listed = 0;

    QList<double> ours;
    QList<double> curl;
    for (int round = 0; round < rounds; ++round) {
        curl.append(timedRun(u"curl"_s, {u"-s"_s, u"-o"_s, u"/dev/null"_s, http + u"/json/list"_s}));
        ours.append(timedRun(QStringLiteral(VORLANE_CLI), cli, &listed));
        // A failed run has no time to count: its -1 would pass for a fast one.
        if (curl.back() < 0 || ours.back() < 0) {
            std::fprintf(stderr, "bench_cli_tabs: %s failed in round %d\n", curl.back() < 0 ? "curl" : "vorlane-cli",
                         round + 1);
            return 1;
        }
    }
    std::printf("tabs opened %d, rows listed %lld\n", tabs, static_cast<long long>(listed));
    std::printf("vorlane-cli tabs (median of %d): %.0f ms\n", rounds, bench::median(ours));
    std::printf("curl /json/list (median of %d):        %.0f ms\n", rounds, bench::median(curl));
    std::printf("ratio: %.2f (target at most 2)\n", bench::median(ours) / bench::median(curl));
    return 0;
}
