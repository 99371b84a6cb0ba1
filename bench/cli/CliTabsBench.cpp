// vorlane-cli tabs over many real tabs, whole process, against curl fetching
// the browser's own tab list in the same rounds.
//
//   build/bench/cli/bench_cli_tabs [tabs] [rounds]
#include "bench/support/LoadedTabs.h"
#include "platform/chromium/CdpConnection.h"
#include "bench/support/Timing.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QElapsedTimer>
#include <QProcess>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

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

// Milliseconds one connection of this process takes to attach to every page
// tab at once and hear every answer; negative when that failed. A loading
// state comes only from a tab attached to, so this is the least any client
// that lists the states pays Chromium, before starting a process.
double attachAllMs(const chromium::DevToolsEndpoint &endpoint)
{
    using namespace std::chrono_literals;
    QElapsedTimer timer;
    timer.start();
    chromium::CdpConnection connection(
        endpoint.display(), [](const QString &, const QJsonObject &, const QString &) {},
        chromium::webSocketTransport(1 << 26));
    std::mutex mutex;
    std::condition_variable answered;
    int waiting = 0;
    bool failed = false;
    const auto heard = [&](bool ok) {
        std::lock_guard lock(mutex);
        --waiting;
        failed = failed || !ok;
        answered.notify_all();
    };
    try {
        connection.open(chromium::browserSocketUrl(endpoint, 10s), 10s);
        const QJsonArray targets =
            connection.call(u"Target.getTargets"_s, {}, {}, 30s).value(u"targetInfos"_s).toArray();
        for (const QJsonValue &target : targets) {
            if (target[u"type"_s].toString() != u"page"_s)
                continue;
            {
                std::lock_guard lock(mutex);
                ++waiting;
            }
            connection.post(u"Target.attachToTarget"_s,
                            {{u"targetId"_s, target[u"targetId"_s]}, {u"flatten"_s, true}}, {},
                            [&](const QJsonObject &) { heard(true); },
                            [&](const chromium::CdpError &) { heard(false); });
        }
    } catch (const chromium::CdpError &) {
        // Posted attaches still answer or fail before the connection goes.
        std::lock_guard lock(mutex);
        failed = true;
    }
    std::unique_lock lock(mutex);
    if (!answered.wait_for(lock, 120s, [&] { return waiting == 0; }) || failed)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
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
    QList<double> attach;
    for (int round = 0; round < rounds; ++round) {
        curl.append(timedRun(u"curl"_s, {u"-s"_s, u"-o"_s, u"/dev/null"_s, http + u"/json/list"_s}));
        ours.append(timedRun(QStringLiteral(VORLANE_CLI), cli, &listed));
        attach.append(attachAllMs(endpoint));
        // A failed run has no time to count: its -1 would pass for a fast one.
        const char *failed = curl.back() < 0   ? "curl"
                             : ours.back() < 0 ? "vorlane-cli"
                             : attach.back() < 0 ? "attaching"
                                                 : nullptr;
        if (failed) {
            std::fprintf(stderr, "bench_cli_tabs: %s failed in round %d\n", failed, round + 1);
            return 1;
        }
    }
    std::printf("tabs opened %d, rows listed %lld\n", tabs, static_cast<long long>(listed));
    std::printf("vorlane-cli tabs (median of %d): %.0f ms\n", rounds, bench::median(ours));
    std::printf("curl /json/list (median of %d):        %.0f ms\n", rounds, bench::median(curl));
    std::printf("ratio: %.2f (target at most 2)\n", bench::median(ours) / bench::median(curl));
    std::printf("attaching to every tab alone, in this process (median of %d): %.0f ms, %.2f times curl\n", rounds,
                bench::median(attach), bench::median(attach) / bench::median(curl));
    return 0;
}
