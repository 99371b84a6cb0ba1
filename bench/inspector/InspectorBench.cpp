// The inspector window of the whole program (the main window up beside it)
// on big pages in a real headless Chromium, driven as its user drives it:
// the Update button, the real timer and the event loop. Every figure stands
// beside a baseline measured in the same run, and against its target:
//   - sizes: generated pages; until every row is filled, the longest step
//     of the UI thread meanwhile, Update until the rows in view are shown
//     filled, resident memory and the sort of a column;
//   - stdtypes: Python's stdtypes.html from python3-doc, filled to the end;
//   - stall: the browser stopped while the inspector fills, then resumed.
// A fill that outlasts --fill-timeout is reported as not finished.
//
//   build/bench/inspector/bench_inspector [--runs sizes,stdtypes,stall] [--rounds R] [--fill-timeout S]
//                                         [--stall-size N] [--stop-seconds S] [--python-doc FILE] [elements ...]
#include "bench/inspector/BenchOptions.h"
#include "bench/inspector/FigureTable.h"
#include "bench/inspector/FillWatches.h"
#include "bench/inspector/GeneratedPage.h"
#include "bench/inspector/InspectorDriver.h"
#include "bench/inspector/Targets.h"
#include "bench/inspector/TimedApplication.h"
#include "bench/inspector/StallMeter.h"
#include "bench/support/CountingUi.h"
#include "bench/support/ProcessStatus.h"
#include "bench/support/Timing.h"
#include "bench/support/VorlaneCli.h"
#include "page/CWebPageHV.h"
#include "platform/chromium/ChromiumEndpoint.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/stores/IniProgramSettings.h"
#include "settings/Settings.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"
#include "windows/inspector/ItemColumns.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/frmMain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QLocale>
#include <QPointer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using namespace bench;

// vorlane-cli reads the biggest pages in calls that may outlast its usual
// deadline on a busy machine; what is measured is its speed, not a deadline.
const QString kCliEnvironment = u"VORLANE_CALL_TIMEOUT_MS=60000"_s;
// The longest a generated page may take to load in the browser.
constexpr auto kLoadPatience = 120s;
// The program left to itself: its own longest step is the floor of any.
constexpr auto kIdleTime = 1s;
// The stall run fills with the browser running this long before it stops it.
constexpr auto kRunningTime = 2s;
// How long the fill may take to go on after the browser resumes.
constexpr auto kResumePatience = 30s;

// Runs the event loop until done() or the deadline; whether done.
bool runUntil(const std::function<bool()> &done, QDeadlineTimer deadline)
{
    // Wakes the loop when nothing else would before the deadline.
    QTimer wake;
    wake.start(50);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void runFor(std::chrono::milliseconds time, const std::function<void()> &afterEach = [] {})
{
    runUntil(
        [&] {
            afterEach();
            return false;
        },
        QDeadlineTimer(time));
}

double msBetween(qint64 startNs, qint64 endNs)
{
    return double(endNs - startNs) / 1e6;
}

QString numberText(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

QString atMost(const QString &target)
{
    return u"<= "_s + target;
}

// Memory the process freed goes back to the system first: the figure is
// what the program holds, not what an earlier run left in the heap.
double residentMb()
{
    malloc_trim(0);
    return double(statusBytes(u"self"_s, "VmRSS")) / (1024.0 * 1024.0);
}

// Every process of the browser stopped, until resumed or gone.
class StoppedBrowser
{
public:
    explicit StoppedBrowser(const testsupport::HeadlessChromium &chromium)
        : m_group(pid_t(chromium.pid()))
    {
        ::killpg(m_group, SIGSTOP);
    }
    ~StoppedBrowser() { resume(); }
    StoppedBrowser(const StoppedBrowser &) = delete;
    StoppedBrowser &operator=(const StoppedBrowser &) = delete;

    void resume()
    {
        if (std::exchange(m_stopped, false))
            ::killpg(m_group, SIGCONT);
    }

private:
    pid_t m_group; // the browser leads a process group of its own
    bool m_stopped = true;
};

// What one Update round saw.
struct UpdateRound
{
    qint64 clickNs = 0;
    QDeadlineTimer fillDeadline; // from the click
    double clickMs = 0;
    std::optional<double> rowsInViewMs;
    std::optional<double> rowsInViewWholeMs;
};

class Bench
{
public:
    Bench(TimedApplication &app, const BenchOptions &options);
    ~Bench();

    void runSize(int elements);
    void runStdtypes();
    void runStall();
    void print() const { m_table.print(); }

private:
    // What a page costs vorlane-cli and the page model alone.
    struct CliFigures
    {
        std::optional<double> ms;
        qsizetype rows = -1;
        QString failure;
    };

    // What the inspector did on one page, filled after `rounds` Update clicks.
    struct FillFigures
    {
        TimedApplication::Step idle;    // before the inspector opened
        TimedApplication::Step longest; // from the last click until "Ready"
        double residentBeforeMb = 0;
        double residentFilledMb = 0;
        QList<double> clicks;
        std::optional<double> rowsInViewMs; // the median, when every click got there
        std::optional<double> rowsInViewWholeMs;
        std::optional<double> readyMs;
        int rows = 0;
        int filled = 0;
        std::optional<QString> difference;
        double sortMs = 0;
        double sortBaselineMs = 0;
        double searchMs = 0;
        double searchAndScriptMs = 0;
        int reports = 0;
    };

    void fill(const QString &title, const QString &path, std::optional<int> elements,
              const std::function<std::optional<double>(std::optional<double> cliMs)> &readyTarget);
    FillFigures measureFill();
    void report(const QString &title, std::optional<int> elements, std::optional<double> readyTargetMs,
                const CliFigures &cli, const FillFigures &fill);
    bool load(const QString &path);
    QJsonArray evaluate(const QString &script);
    CliFigures runCli(const QString &path);
    std::unique_ptr<frmPageInfo> openInspector();
    UpdateRound update(InspectorDriver &inspector, RowsInViewShown &shown);
    // The first cell in view that differs from what a script reads, if any.
    std::optional<QString> differenceFromScript(const InspectorDriver &inspector);
    // The medians of the page model's search alone and of it with a script
    // reading `rows` rows, each Update round's least cost.
    std::pair<double, double> modelBaselines(int rows);

    TimedApplication &m_app;
    const BenchOptions &m_options;
    QTemporaryDir m_config;
    testsupport::TestHttpServer m_server;
    testsupport::HeadlessChromium m_chromium;
    std::shared_ptr<chromium::ChromiumShellWindows> m_shell;
    automation::BrowserPtr m_browser;
    std::unique_ptr<chromium::ChromiumEndpoint> m_endpoint;
    chromium::TabPtr m_tab;
    CountingUi m_ui;
    ui::ScopedServices m_installed{m_ui};
    SettingsVariables m_settings;
    std::unique_ptr<frmMain> m_main;
    std::optional<VorlaneCli> m_cli;
    FigureTable m_table;
};

Bench::Bench(TimedApplication &app, const BenchOptions &options)
    : m_app(app)
    , m_options(options)
{
    // The program's settings and stores live in a folder of the run's own.
    qputenv("VORLANE_CONFIG_DIR", m_config.path().toUtf8());
    LoadSettings(m_settings);
    m_chromium.start(m_server.port());
    m_cli.emplace(QStringLiteral(VORLANE_CLI), m_chromium.endpoint().port, QStringList{kCliEnvironment});
    m_shell =
        std::make_shared<chromium::ChromiumShellWindows>(QList<chromium::DevToolsEndpoint>{m_chromium.endpoint()});
    m_browser = m_shell->createBrowser();
    // The baselines' scripts bring megabytes in one answer on the biggest pages.
    chromium::ChromiumOptions patient;
    patient.callTimeout = std::chrono::seconds(60);
    m_endpoint = std::make_unique<chromium::ChromiumEndpoint>(m_chromium.endpoint(), patient);
    m_main = std::make_unique<frmMain>([shell = m_shell] { return shell; }, m_settings);
    m_main->show();
    QCoreApplication::processEvents();
}

Bench::~Bench()
{
    m_main.reset();
    qunsetenv("VORLANE_CONFIG_DIR");
}

bool Bench::load(const QString &path)
{
    m_browser->navigate(m_server.url(path));
    const QDeadlineTimer until(kLoadPatience);
    while (m_browser->readyState() != automation::ReadyState::Complete || m_browser->busy()) {
        if (until.hasExpired())
            return false;
        QThread::msleep(20);
    }
    m_tab.reset();
    for (const chromium::TabPtr &candidate : m_endpoint->tabs()) {
        if (m_endpoint->info(*candidate).url == m_server.url(path))
            m_tab = candidate;
    }
    return m_tab != nullptr;
}

QJsonArray Bench::evaluate(const QString &script)
{
    return m_endpoint
        ->sessionCall(*m_tab, u"Runtime.evaluate"_s, {{u"expression"_s, script}, {u"returnByValue"_s, true}})
        .value(u"result"_s).toObject().value(u"value"_s).toArray();
}

Bench::CliFigures Bench::runCli(const QString &path)
{
    CliFigures figures;
    const QString handle = m_cli->handleOf(m_server.url(path));
    if (handle.isEmpty()) {
        figures.failure = u"vorlane-cli tabs does not list the page"_s;
        return figures;
    }
    const ProgramRun run = m_cli->run({u"elements"_s, u"--json"_s, handle});
    if (!run.ok) {
        figures.failure = u"vorlane-cli elements failed: "_s + QString::fromUtf8(run.err.left(200)).trimmed();
        return figures;
    }
    figures.ms = run.ms;
    figures.rows = VorlaneCli::jsonRows(run.out);
    return figures;
}

std::unique_ptr<frmPageInfo> Bench::openInspector()
{
    // As the main window opens it, over the tab the page is in.
    auto window = std::make_unique<frmPageInfo>(stores::userProgramSettings(), ui::services(), m_main.get());
    window->SetIeWnd(m_browser);
    window->show();
    return window;
}

UpdateRound Bench::update(InspectorDriver &inspector, RowsInViewShown &shown)
{
    UpdateRound round;
    shown.arm();
    round.clickNs = m_app.nowNs();
    round.fillDeadline = QDeadlineTimer(m_options.fillTimeout);
    round.clickMs = msOf([&] { inspector.clickUpdate(); });
    // The click's own work is the Update round's, not the fill's.
    m_app.takeLongestStep();
    if (runUntil([&] { return shown.wholeNs().has_value(); }, round.fillDeadline)) {
        round.rowsInViewMs = msBetween(round.clickNs, *shown.shownNs());
        round.rowsInViewWholeMs = msBetween(round.clickNs, *shown.wholeNs());
    }
    return round;
}

std::optional<QString> Bench::differenceFromScript(const InspectorDriver &inspector)
{
    const auto inView = inspector.rowsInView();
    if (!inView || !inspector.rowsInViewFilled())
        return u"the rows in view are not filled"_s;
    const int first = inView->first;
    const int rows = inView->second - first + 1;
    const QJsonArray texts = evaluate(rowsScript(first, rows));
    constexpr int kColumns = inspector::kLastItemCol - inspector::kItemNoCol + 1;
    for (int row = first; row < first + rows; ++row) {
        for (int column = inspector::kItemNoCol; column <= inspector::kLastItemCol; ++column) {
            const QString shown = inspector.text(row, column);
            const QString read = texts.at((row - first) * kColumns + column - inspector::kItemNoCol).toString();
            if (shown != read)
                return u"row %1 column %2 shows \"%3\", the page has \"%4\""_s.arg(row).arg(column).arg(
                    shown.left(40), read.left(40));
        }
    }
    return std::nullopt;
}

std::pair<double, double> Bench::modelBaselines(int rows)
{
    CWebPageHV page(stores::userProgramSettings(), m_ui);
    QList<ItemNo> found;
    if (!page.SetWebPage(m_browser))
        return {0, 0};
    // Both sides warm up: the page's script compiler and layout, our connection.
    page.SearchItem(found, true, false);
    evaluate(rowsScript(0, rows));
    QList<double> search, withScript;
    for (int round = 0; round < m_options.rounds; ++round) {
        const double searchMs = msOf([&] { page.SearchItem(found, true, false); });
        search.append(searchMs);
        withScript.append(searchMs + msOf([&] { evaluate(rowsScript(0, rows)); }));
    }
    return {median(search), median(withScript)};
}

void Bench::fill(const QString &title, const QString &path, std::optional<int> elements,
                 const std::function<std::optional<double>(std::optional<double> cliMs)> &readyTarget)
{
    std::fprintf(stderr, "%s: loading\n", qPrintable(title));
    if (!load(path)) {
        m_table.section(title + u": the page did not load"_s);
        return;
    }
    std::fprintf(stderr, "%s: vorlane-cli elements --json\n", qPrintable(title));
    const CliFigures cli = runCli(path);
    std::fprintf(stderr, "%s: the inspector fills\n", qPrintable(title));
    const FillFigures fill = measureFill();
    report(title, elements, readyTarget(cli.ms), cli, fill);
}

Bench::FillFigures Bench::measureFill()
{
    FillFigures figures;
    m_app.takeLongestStep();
    runFor(kIdleTime);
    figures.idle = m_app.takeLongestStep();
    figures.residentBeforeMb = residentMb();

    m_ui.reports = 0;
    std::unique_ptr<frmPageInfo> window = openInspector();
    InspectorDriver inspector(*window);
    RowsInViewShown shown(m_app, inspector);
    // Its own first list, on its first activation.
    runUntil([&] { return inspector.rowsInViewFilled(); }, QDeadlineTimer(m_options.fillTimeout));

    QList<double> rowsInView;
    QList<double> rowsInViewWhole;
    UpdateRound round;
    for (int r = 0; r < m_options.rounds; ++r) {
        round = update(inspector, shown);
        figures.clicks.append(round.clickMs);
        if (round.rowsInViewMs) {
            rowsInView.append(*round.rowsInViewMs);
            rowsInViewWhole.append(*round.rowsInViewWholeMs);
        }
    }
    if (rowsInView.size() == m_options.rounds) {
        figures.rowsInViewMs = median(rowsInView);
        figures.rowsInViewWholeMs = median(rowsInViewWhole);
    }
    // The last round fills on to the end.
    if (runUntil([&] { return inspector.ready(); }, round.fillDeadline))
        figures.readyMs = msBetween(round.clickNs, m_app.nowNs());
    figures.longest = m_app.takeLongestStep();
    figures.rows = inspector.rows();
    figures.filled = inspector.filledRows();
    figures.residentFilledMb = residentMb();
    figures.difference = differenceFromScript(inspector);
    const auto inView = inspector.rowsInView();
    const int rowsInViewCount = inView ? inView->second - inView->first + 1 : 1;

    QStringList texts = inspector.columnTexts(inspector::kNameCol);
    figures.sortBaselineMs = msOf([&] { std::sort(texts.begin(), texts.end()); });
    figures.sortMs = msOf([&] {
        inspector.sortByColumn(inspector::kNameCol);
        QCoreApplication::processEvents();
    });
    figures.reports = m_ui.reports;
    window.reset();
    QCoreApplication::processEvents();
    std::tie(figures.searchMs, figures.searchAndScriptMs) = modelBaselines(rowsInViewCount);
    return figures;
}

void Bench::report(const QString &title, std::optional<int> elements, std::optional<double> readyTargetMs,
                   const CliFigures &cli, const FillFigures &fill)
{
    QString heading = u"%1: %2 rows listed"_s.arg(title, numberText(fill.rows));
    if (cli.rows >= 0)
        heading += u", vorlane-cli listed %1"_s.arg(numberText(cli.rows));
    if (elements && fill.rows != *elements)
        heading += u"; THE PAGE HAS %1 ELEMENTS"_s.arg(numberText(*elements));
    if (fill.reports > 0)
        heading += u"; %1 beeps or message boxes"_s.arg(fill.reports);
    m_table.section(heading);

    const bool allFilled = fill.filled == fill.rows;
    const QString filledText = u"%1 of %2 rows filled"_s.arg(numberText(fill.filled), numberText(fill.rows));
    m_table.add({u"every row filled (\"Ready\")"_s, fill.readyMs ? msText(*fill.readyMs) : u"-"_s,
                 cli.ms ? msText(*cli.ms) + u", vorlane-cli elements --json"_s : cli.failure,
                 readyTargetMs ? atMost(msText(*readyTargetMs)) : QString(), judge(fill.readyMs, readyTargetMs),
                 fill.readyMs ? QString() : filledText + u" in %1 s"_s.arg(m_options.fillTimeout.count())});
    m_table.add({u"longest UI step while filling"_s, msText(fill.longest.ms),
                 msText(fill.idle.ms) + u", longest step idle"_s, atMost(msText(targets::kLongestStepMs)),
                 judge(fill.longest.ms, targets::kLongestStepMs), fill.longest.what});
    m_table.add({u"Update to rows in view shown"_s, fill.rowsInViewMs ? msText(*fill.rowsInViewMs) : u"-"_s,
                 msText(fill.searchAndScriptMs) + u", search + script, rows in view"_s,
                 atMost(msText(targets::kRowsInViewMs)), judge(fill.rowsInViewMs, targets::kRowsInViewMs),
                 u"median of %1 clicks"_s.arg(m_options.rounds)});
    m_table.add({u"... and their long texts in too"_s, fill.rowsInViewWholeMs ? msText(*fill.rowsInViewWholeMs) : u"-"_s,
                 msText(fill.searchAndScriptMs) + u", search + script, rows in view"_s, {}, Figure::Result::NoTarget,
                 u"median of %1 clicks"_s.arg(m_options.rounds)});
    m_table.add({u"Update's click itself (search, list)"_s, msText(median(fill.clicks)),
                 msText(fill.searchMs) + u", search alone"_s, {}, Figure::Result::NoTarget, {}});
    const std::optional<double> residentTarget = elements ? targets::residentMb(*elements) : std::nullopt;
    m_table.add({u"resident memory, rows filled"_s, mbText(fill.residentFilledMb),
                 mbText(fill.residentBeforeMb) + u", before the inspector opened"_s,
                 residentTarget ? atMost(mbText(*residentTarget)) : QString(),
                 allFilled ? judge(fill.residentFilledMb, residentTarget) : Figure::Result::NotFinished,
                 allFilled ? QString() : filledText});
    m_table.add({u"sort a column (Name)"_s, msText(fill.sortMs),
                 msText(fill.sortBaselineMs) + u", std::sort of its texts"_s,
                 atMost(msText(targets::kSortMs)), judge(fill.sortMs, targets::kSortMs),
                 allFilled ? QString() : u"rows not all filled"_s});
    m_table.add({u"rows in view agree with the page"_s, fill.difference ? u"NO"_s : u"yes"_s, u"a script in the page"_s,
                 u"yes"_s, fill.difference ? Figure::Result::Missed : Figure::Result::Met,
                 fill.difference.value_or(QString())});
}

void Bench::runSize(int elements)
{
    const QString path = u"/n%1.html"_s.arg(elements);
    m_server.setPage(path, generatedPage(elements));
    fill(u"%1 elements"_s.arg(numberText(elements)), path, elements,
         [elements](std::optional<double> cliMs) { return targets::readyMs(elements, cliMs); });
}

void Bench::runStdtypes()
{
    QFile doc(m_options.pythonDoc);
    if (!doc.open(QIODevice::ReadOnly)) {
        m_table.section(u"stdtypes.html: cannot read %1 (apt-get install python3-doc)"_s.arg(m_options.pythonDoc));
        return;
    }
    const QString path = u"/library/stdtypes.html"_s;
    m_server.setPage(path, QString::fromUtf8(doc.readAll()));
    fill(u"stdtypes.html"_s, path, std::nullopt,
         [](std::optional<double>) { return std::optional(targets::kStdtypesReadyMs); });
}

void Bench::runStall()
{
    const QString title = u"stall: %1 elements, the browser stopped for %2 s while the inspector fills"_s.arg(
        numberText(m_options.stallSize)).arg(m_options.stopTime.count());
    std::fprintf(stderr, "%s\n", qPrintable(title));
    const QString path = u"/n%1.html"_s.arg(m_options.stallSize);
    m_server.setPage(path, generatedPage(m_options.stallSize));
    if (!load(path)) {
        m_table.section(title + u": the page did not load"_s);
        return;
    }
    m_ui.reports = 0;
    std::unique_ptr<frmPageInfo> window = openInspector();
    QPointer<frmPageInfo> open(window.get());
    InspectorDriver inspector(*window);
    RowsInViewShown shown(m_app, inspector);
    FillTicks ticks(m_app, inspector);
    update(inspector, shown);

    StallMeter meter;
    ticks.mark();
    meter.start();
    runFor(kRunningTime);
    meter.stop();
    const double runningStallMs = meter.totalMs();
    const std::optional<int> runningTicks = ticks.mostTicksBetweenRises();
    if (inspector.ready()) {
        m_table.section(title + u": every row was filled before the stop; give a bigger --stall-size"_s);
        return;
    }

    std::optional<double> closedAfterMs;
    const qint64 stopNs = m_app.nowNs();
    const auto watchClosing = [&] {
        if (!closedAfterMs && (!open || !open->isVisible()))
            closedAfterMs = msBetween(stopNs, m_app.nowNs());
    };
    StoppedBrowser stopped(m_chromium);
    meter.start();
    runFor(m_options.stopTime, watchClosing);
    meter.stop();
    ticks.mark();
    stopped.resume();
    const qint64 resumeNs = m_app.nowNs();
    runUntil(
        [&] {
            watchClosing();
            return ticks.ticksToRise() || closedAfterMs;
        },
        QDeadlineTimer(kResumePatience));
    const double goneOnMs = msBetween(resumeNs, m_app.nowNs());
    const int reports = m_ui.reports;
    window.reset();
    QCoreApplication::processEvents();

    m_table.section(reports > 0 ? title + u"; %1 beeps or message boxes"_s.arg(reports) : title);
    m_table.add({u"inspector stays open"_s, closedAfterMs ? u"no"_s : u"yes"_s, u"-"_s, u"open"_s,
                 closedAfterMs ? Figure::Result::Missed : Figure::Result::Met,
                 closedAfterMs ? u"closed %1 after the stop"_s.arg(msText(*closedAfterMs)) : QString()});
    m_table.add({u"UI stall during the stop (gaps > 100 ms)"_s, msText(meter.totalMs()),
                 msText(runningStallMs) + u" in %1 s running"_s.arg(std::chrono::seconds(kRunningTime).count()),
                 atMost(msText(targets::kStallTotalMs)), judge(meter.totalMs(), targets::kStallTotalMs),
                 u"longest gap %1"_s.arg(msText(meter.longestMs()))});
    const std::optional<int> toRise = ticks.ticksToRise();
    m_table.add({u"ticks after the resume until it fills"_s, toRise ? QString::number(*toRise) : u"never"_s,
                 runningTicks ? u"%1, most between rises running"_s.arg(*runningTicks) : u"no rise running"_s,
                 atMost(QString::number(targets::kStepsAfterResume)),
                 closedAfterMs ? Figure::Result::Missed
                               : judge(toRise ? std::optional<double>(*toRise) : std::nullopt,
                                       double(targets::kStepsAfterResume)),
                 toRise          ? u"%1 after the resume"_s.arg(msText(goneOnMs))
                 : closedAfterMs ? u"the inspector closed"_s
                                 : u"none within %1 s"_s.arg(std::chrono::seconds(kResumePatience).count())});
}

} // namespace

int main(int argc, char **argv)
{
    // The real windows at their normal size; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    const std::optional<BenchOptions> options = parseOptions(QCoreApplication::arguments());
    if (!options)
        return 2;
    try {
        Bench bench(app, *options);
        // What was measured is shown even when a run fails.
        const auto printed = qScopeGuard([&] { bench.print(); });
        if (options->runSizes) {
            for (const int elements : options->sizes)
                bench.runSize(elements);
        }
        if (options->runStdtypes)
            bench.runStdtypes();
        if (options->runStall)
            bench.runStall();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_inspector: %s\n", e.what());
        return 1;
    }
    return 0;
}
