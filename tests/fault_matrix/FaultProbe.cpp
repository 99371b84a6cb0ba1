// The fault matrix's probe: drives the main window's refresh or the page
// model over a real Chromium while fault_matrix.py (or the probe itself)
// breaks the browser, and prints what it saw as one JSON object on stdout.
//
//   fault_probe window --endpoint URL --browser-pid PID --expect URL,URL...
//                      [--fault none|kill|stop] [--after-ms X] [--stopped-ms S]
//   fault_probe page --endpoint URL --url PAGE --op search|fill
//
// window: the real main window (frmMain) over the browser, its timer
// running. Each tick is timed from the timer's event to the end of its
// slot; a 5 ms timer measures the event loop's stalls. With a fault, a
// thread of the probe sends SIGKILL X ms after the first tick began, or
// SIGSTOP X ms after the list was first right and SIGCONT S ms later.
//
// page: CWebPageHV bound to the tab showing PAGE; prints "start" on a line
// of its own just before the operation, so that the caller can break the
// tab meanwhile. search: tag B with "needle" in the inner mark-up, all
// elements. fill: every element, in runs of 256 rows, through
// StartItemStrRows as the inspector fills (sent, waited for with patience
// while the event loop runs, taken).
#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "page/PropertyCodes.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/chromium/DevToolsEndpoint.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsVariables.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/main/IeListRow.h"
#include "windows/main/frmMain.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/StatusTexts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point g_origin = Clock::now();

double msNow()
{
    return std::chrono::duration<double, std::milli>(Clock::now() - g_origin).count();
}

void printJson(const QJsonObject &object)
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "fault_probe: %s\n", qPrintable(why));
    std::exit(3);
}

std::shared_ptr<automation::ShellWindows> newShell(const QString &endpoint)
{
    return std::make_shared<chromium::ChromiumShellWindows>(
        QList<chromium::DevToolsEndpoint>{chromium::parseEndpoint(endpoint)});
}

// ---------------------------------------------------------------- window

// Sends the fault from a thread of its own, so that a UI thread blocked in
// a call cannot delay it.
class FaultThread
{
public:
    FaultThread(qint64 pid, QString fault, int afterMs, int stoppedMs)
        : m_pid(pid)
        , m_fault(std::move(fault))
        , m_afterMs(afterMs)
        , m_stoppedMs(stoppedMs)
    {
    }
    ~FaultThread()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    // Starts counting the delay now; later calls do nothing.
    void arm()
    {
        if (m_thread.joinable() || m_fault == u"none"_s)
            return;
        m_armedAt = msNow();
        m_thread = std::thread([this] { run(); });
    }
    bool armed() const { return m_thread.joinable(); }
    double armedAt() const { return m_armedAt; }
    // -1 until done.
    double faultAt() const { return m_faultAt.load(); }
    double resumedAt() const { return m_resumedAt.load(); }

private:
    bool sleep(int ms)
    {
        std::unique_lock lock(m_mutex);
        return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_quit; });
    }

    void run()
    {
        if (!sleep(m_afterMs))
            return;
        if (m_fault == u"kill"_s) {
            ::kill(pid_t(m_pid), SIGKILL);
            m_faultAt = msNow();
            return;
        }
        ::kill(pid_t(m_pid), SIGSTOP);
        m_faultAt = msNow();
        // Resumed even when the probe is quitting: a stopped browser would
        // outlive the run.
        std::this_thread::sleep_for(std::chrono::milliseconds(m_stoppedMs));
        ::kill(pid_t(m_pid), SIGCONT);
        m_resumedAt = msNow();
    }

    const qint64 m_pid;
    const QString m_fault;
    const int m_afterMs;
    const int m_stoppedMs;
    double m_armedAt = -1;
    std::atomic<double> m_faultAt{-1};
    std::atomic<double> m_resumedAt{-1};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    std::thread m_thread;
};

struct Tick
{
    double start;
    double ms;
    bool listRight;
    bool notAnswering;
    int rows;
};

// The start of each tick: the timer's event, before its slot runs.
class TickStarts : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            startedAt = msNow();
            if (onStart)
                onStart();
        }
        return false;
    }
    double startedAt = -1;
    std::function<void()> onStart;
};

int runWindow(const QCommandLineParser &args)
{
    const QString endpoint = args.value(u"endpoint"_s);
    const QStringList expected = args.value(u"expect"_s).split(u',', Qt::SkipEmptyParts);
    const QString fault = args.value(u"fault"_s);
    const qint64 pid = args.value(u"browser-pid"_s).toLongLong();
    if (fault != u"none"_s && pid <= 0)
        fail(u"--browser-pid is needed for a fault"_s);
    FaultThread faults(pid, fault, args.value(u"after-ms"_s).toInt(), args.value(u"stopped-ms"_s).toInt());

    ui::RecordingUiServices ui;
    SettingsVariables settings;
    LoadSettings(settings);
    auto window = std::make_unique<frmMain>([endpoint] { return newShell(endpoint); }, settings);
    auto *grid = window->findChild<shared::ListGrid *>(u"fgIeList"_s);
    auto *timer = window->findChild<QTimer *>(u"tmrUpdate"_s);
    auto *status = window->findChild<QLabel *>(u"Status"_s);
    if (!grid || !timer || !status)
        fail(u"the main window lacks its list, timer or status panel"_s);
    window->show();

    const QString notAnswering = QStringView(shared::kBrowserNotAnsweringText).toString();
    const auto listRight = [&] {
        if (grid->rows() - 1 != expected.size())
            return false;
        for (int r = 1; r < grid->rows(); ++r) {
            if (grid->text(r, ielist::UrlColumn) != expected[r - 1]
                || grid->text(r, ielist::StatusColumn) != u"完了"_s)
                return false;
        }
        return true;
    };

    TickStarts starts;
    // A kill is counted from the start of the first tick, the one that
    // connects; the delay reaches into the next.
    if (fault == u"kill"_s)
        starts.onStart = [&] { faults.arm(); };
    timer->installEventFilter(&starts);
    QList<Tick> ticks;
    double firstRightAt = -1;
    double endAt = -1;
    QObject sink;
    // Connected after the window's own slot, so it runs once the tick is done.
    QObject::connect(timer, &QTimer::timeout, &sink, [&] {
        const double end = msNow();
        const double start = starts.startedAt >= 0 ? starts.startedAt : end;
        const bool right = listRight();
        ticks.append({start, end - start, right, status->text().startsWith(notAnswering), grid->rows() - 1});
        if (right && firstRightAt < 0) {
            firstRightAt = end;
            if (fault == u"stop"_s)
                faults.arm();
        }
    });

    // The event loop's stalls, from a 5 ms timer.
    QList<std::pair<double, double>> gaps; // when the gap ended, how long it was
    double lastBeat = -1; // from the first beat: showing the window is not a stall
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(5);
    QObject::connect(&beat, &QTimer::timeout, &sink, [&] {
        const double now = msNow();
        if (lastBeat >= 0)
            gaps.append({now, now - lastBeat});
        lastBeat = now;
    });
    beat.start();

    // Ends the run: 3 s after the fault (after the resume for a stop), or 3 s
    // after the list was right when there is none; 25 s at most before it.
    QTimer watch;
    watch.setInterval(20);
    const double setUpBy = msNow() + 25000;
    bool setUpFailed = false;
    QObject::connect(&watch, &QTimer::timeout, &sink, [&] {
        const double now = msNow();
        const double settled = fault == u"none"_s ? firstRightAt
                               : fault == u"kill"_s ? faults.faultAt()
                                                    : faults.resumedAt();
        if (settled >= 0 && now > settled + 3000) {
            endAt = now;
            QCoreApplication::quit();
        } else if (settled < 0 && now > setUpBy) {
            setUpFailed = true;
            QCoreApplication::quit();
        }
    });
    watch.start();
    QApplication::exec();
    timer->stop();
    beat.stop();

    const double faultAt = faults.faultAt();
    const double resumedAt = faults.resumedAt();
    QJsonObject out{{u"mode"_s, u"window"_s},
                    {u"fault"_s, fault},
                    {u"setUpFailed"_s, setUpFailed},
                    {u"firstRightAt"_s, firstRightAt},
                    {u"armedAt"_s, faults.armedAt()},
                    {u"faultAt"_s, faultAt},
                    {u"resumedAt"_s, resumedAt},
                    {u"endAt"_s, endAt},
                    {u"ticks"_s, ticks.size()},
                    {u"messageBoxes"_s, ui.messageBoxes.size()},
                    {u"finalRows"_s, grid->rows() - 1},
                    {u"finalStatus"_s, status->text()},
                    {u"finalNotAnswering"_s, status->text().startsWith(notAnswering)},
                    {u"finalListRight"_s, listRight()}};

    double longestGap = 0;
    for (const auto &[at, gap] : std::as_const(gaps))
        longestGap = std::max(longestGap, gap);
    out.insert(u"longestGapMs"_s, longestGap);
    double longestTick = 0;
    for (const Tick &tick : std::as_const(ticks))
        longestTick = std::max(longestTick, tick.ms);
    out.insert(u"longestTickMs"_s, longestTick);

    if (faultAt >= 0) {
        // Whether the fault fell inside a tick, and how the ticks after it went.
        bool duringTick = false;
        int after = 0;
        double longestAfter = 0;
        bool notAnsweringAfter = false;
        for (const Tick &tick : std::as_const(ticks)) {
            if (faultAt >= tick.start && faultAt <= tick.start + tick.ms)
                duringTick = true;
            if (tick.start + tick.ms > faultAt) {
                ++after;
                longestAfter = std::max(longestAfter, tick.ms);
                notAnsweringAfter = notAnsweringAfter || tick.notAnswering;
            }
        }
        out.insert(u"faultDuringTick"_s, duringTick);
        out.insert(u"ticksAfterFault"_s, after);
        out.insert(u"longestTickAfterFaultMs"_s, longestAfter);
        out.insert(u"notAnsweringAfterFault"_s, notAnsweringAfter);
    }
    if (fault == u"stop"_s && faultAt >= 0 && resumedAt >= 0) {
        // Ticks that began while the browser was stopped.
        double totalStall = 0;
        double longestStall = 0;
        qsizetype firstStall = -1;
        for (qsizetype i = 0; i < ticks.size(); ++i) {
            const Tick &tick = ticks[i];
            if (tick.start < faultAt || tick.start >= resumedAt)
                continue;
            totalStall += tick.ms;
            longestStall = std::max(longestStall, tick.ms);
            if (firstStall < 0 && tick.ms > 100)
                firstStall = i;
        }
        double longestGapStopped = 0;
        for (const auto &[at, gap] : std::as_const(gaps)) {
            if (at > faultAt && at - gap < resumedAt)
                longestGapStopped = std::max(longestGapStopped, gap);
        }
        // After the first stall until the resume: how long each tick took,
        // and whether the status panel said the browser is not answering.
        double longestLater = 0;
        int later = 0;
        int laterNotAnswering = 0;
        if (firstStall >= 0) {
            for (qsizetype i = firstStall + 1; i < ticks.size() && ticks[i].start < resumedAt; ++i) {
                ++later;
                longestLater = std::max(longestLater, ticks[i].ms);
                laterNotAnswering += ticks[i].notAnswering ? 1 : 0;
            }
        }
        // Ticks begun after the resume until the list is right again.
        int toRight = -1;
        int counted = 0;
        for (const Tick &tick : std::as_const(ticks)) {
            if (tick.start < resumedAt)
                continue;
            ++counted;
            if (tick.listRight) {
                toRight = counted;
                break;
            }
        }
        out.insert(u"stoppedMs"_s, resumedAt - faultAt);
        out.insert(u"stallTotalMs"_s, totalStall);
        out.insert(u"stallLongestTickMs"_s, longestStall);
        out.insert(u"stallLongestGapMs"_s, longestGapStopped);
        out.insert(u"stallFirstAtMs"_s, firstStall >= 0 ? ticks[firstStall].start - faultAt : -1);
        out.insert(u"ticksAfterStallUntilResume"_s, later);
        out.insert(u"longestTickAfterStallMs"_s, longestLater);
        out.insert(u"notAnsweringTicksAfterStall"_s, laterNotAnswering);
        out.insert(u"ticksAfterResumeUntilRight"_s, toRight);
    }
    window.reset();
    printJson(out);
    return 0;
}

// ---------------------------------------------------------------- page

QJsonValue textValue(const QString &text)
{
    if (text.size() <= 200)
        return text;
    return QJsonObject{{u"len"_s, text.size()}, {u"head"_s, text.left(20)}, {u"tail"_s, text.right(20)}};
}

QString outcomeCode(ItemText::Outcome outcome)
{
    switch (outcome) {
    case ItemText::Outcome::Read:
        return u"R"_s;
    case ItemText::Outcome::Unavailable:
        return u"U"_s;
    case ItemText::Outcome::Beeped:
        return u"B"_s;
    case ItemText::Outcome::Reported:
        return u"P"_s;
    }
    return u"?"_s;
}

int runPage(const QCommandLineParser &args)
{
    const QString url = args.value(u"url"_s);
    const QString op = args.value(u"op"_s);
    if (op != u"search"_s && op != u"fill"_s)
        fail(u"--op is search or fill"_s);
    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    CWebBrowserHV webBrowser(newShell(args.value(u"endpoint"_s)));
    automation::BrowserPtr tab;
    for (qint16 i = 0; i < webBrowser.WindowCount() && !tab; ++i) {
        const automation::BrowserPtr w = webBrowser.Windows(i);
        if (webBrowser.GetIE_URL(w) == url)
            tab = w;
    }
    if (!tab)
        fail(u"no tab shows "_s + url);
    CWebPageHV page(settings, ui);
    if (!page.SetWebPage(tab))
        fail(u"the page model does not bind "_s + url);
    const ItemNo count = page.GetWebItemN(-1);

    QJsonObject out{{u"mode"_s, u"page"_s}, {u"op"_s, op}, {u"elements"_s, count}};
    std::fputs("start\n", stdout);
    std::fflush(stdout);
    const double started = msNow();
    if (op == u"search"_s) {
        page.ClearItemFilter();
        page.SetFilter_TagName(0, 1, 0, 0, 0, 0, 0, 0, 0, 0);
        page.SetFilter_Innerhtml(u"needle"_s, 0, 1);
        QList<ItemNo> found;
        const ItemNo result = page.SearchItem(found, true, false);
        QJsonArray items;
        for (qsizetype i = 1; i < found.size(); ++i)
            items.append(found[i]);
        out.insert(u"result"_s, result);
        out.insert(u"found"_s, items);
    } else {
        const QList<qint32> codes{kTagName, kName, 5 /* Value */, kInnerText, kId};
        QJsonArray rows;
        for (ItemNo first = 0; first < count; first += 256) {
            QList<ItemNo> itemNos;
            for (ItemNo i = first; i < std::min<ItemNo>(count, first + 256); ++i)
                itemNos.append(i);
            const std::unique_ptr<ItemRowsRead> read = page.StartItemStrRows(itemNos, codes);
            while (!read->ready(std::chrono::milliseconds(20)))
                QCoreApplication::processEvents();
            const QList<QList<ItemText>> texts = read->take();
            for (qsizetype k = 0; k < texts.size(); ++k) {
                QJsonArray cells;
                for (const ItemText &cell : texts[k])
                    cells.append(QJsonArray{outcomeCode(cell.outcome), textValue(cell.text)});
                rows.append(QJsonArray{itemNos[k], cells});
            }
        }
        out.insert(u"codes"_s, QJsonArray{u"tagName"_s, u"name"_s, u"value"_s, u"innerText"_s, u"id"_s});
        out.insert(u"rows"_s, rows);
    }
    out.insert(u"ms"_s, msNow() - started);
    // The address may stay, or be told late, when the document has gone: the
    // bound elements must still be there too.
    out.insert(u"samePageAfter"_s, page.CheckWebPage() && page.GetWebItemN(-1) == count);
    // The numbers of the failures the model put in its message boxes.
    static const QRegularExpression number(u"Error No：(\\d+)"_s);
    QJsonArray reported;
    for (const auto &box : std::as_const(ui.messageBoxes)) {
        const QRegularExpressionMatch match = number.match(box.text);
        reported.append(match.hasMatch() ? match.captured(1).toInt() : -1);
    }
    out.insert(u"reported"_s, reported);
    out.insert(u"beeps"_s, ui.beeps);
    printJson(out);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.addPositionalArgument(u"mode"_s, u"window or page"_s);
    args.addOptions({{u"endpoint"_s, u"The browser's endpoint."_s, u"URL"_s},
                     {u"browser-pid"_s, u"The browser's process."_s, u"PID"_s},
                     {u"expect"_s, u"The addresses the list should show, in order."_s, u"URLS"_s},
                     {u"fault"_s, u"none, kill or stop."_s, u"FAULT"_s, u"none"_s},
                     {u"after-ms"_s, u"The fault's delay."_s, u"MS"_s, u"0"_s},
                     {u"stopped-ms"_s, u"How long the browser stays stopped."_s, u"MS"_s, u"10000"_s},
                     {u"url"_s, u"The page to bind."_s, u"URL"_s},
                     {u"op"_s, u"search or fill."_s, u"OP"_s}});
    args.process(app);
    const QString mode = args.positionalArguments().value(0);
    try {
        if (mode == u"window"_s)
            return runWindow(args);
        if (mode == u"page"_s)
            return runPage(args);
    } catch (const automation::AutomationError &e) {
        fail(u"automation error "_s + QString::number(e.number()) + u": "_s + e.description());
    }
    fail(u"the mode is window or page"_s);
}
