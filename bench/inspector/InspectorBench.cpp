// The inspector window listing and filling the elements of big pages in a
// real headless Chromium, each figure beside a baseline measured in the same
// rounds: the page model's search alone, and one script in the page that
// reads the same ten properties of the same rows.
//
//   build/bench/inspector/bench_inspector [--rounds R] [--ticks T] [--fill-up-to N] [elements ...]
#include "bench/support/CountingUi.h"
#include "bench/support/Timing.h"
#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/chromium/ChromiumEndpoint.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using bench::CountingUi;
using bench::median;
using bench::msOf;

const char kUsage[] =
    "usage: bench_inspector [--rounds R] [--ticks T] [--fill-up-to N] [elements ...]\n"
    "  elements     page sizes, in elements (default 10000 100000)\n"
    "  --rounds     Update clicks per size; times are their medians (default 5)\n"
    "  --ticks      background fill steps timed after each click (default 100)\n"
    "  --fill-up-to sizes up to this are also filled to the end (default 10000)\n";

struct Options
{
    QList<int> sizes;
    int rounds = 5;
    int ticks = 100;
    int fillUpTo = 10000;
};

std::optional<Options> parse(const QStringList &args)
{
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        bool ok = false;
        int *flag = args[i] == u"--rounds"_s ? &options.rounds
                    : args[i] == u"--ticks"_s ? &options.ticks
                    : args[i] == u"--fill-up-to"_s ? &options.fillUpTo
                                                    : nullptr;
        if (flag) {
            if (++i == args.size())
                return std::nullopt;
            *flag = args[i].toInt(&ok);
        } else {
            options.sizes.append(args[i].toInt(&ok));
        }
        if (!ok)
            return std::nullopt;
    }
    if (options.sizes.isEmpty())
        options.sizes = {10000, 100000};
    const bool sane = options.rounds > 0 && options.ticks > 0
                      && std::all_of(options.sizes.begin(), options.sizes.end(), [](int n) { return n >= 8; });
    return sane ? std::optional(options) : std::nullopt;
}

// Forms, links, cells and plain text in the proportions of a long list page.
QString generatedPage(int elements)
{
    QString html = u"<!doctype html><title>big</title><body>"_s;
    // HTML, HEAD, TITLE and BODY are elements too.
    for (int i = 4; i < elements; ++i) {
        switch (i % 8) {
        case 0: html += u"<input type=text name=t%1 value=v%1>"_s.arg(i); break;
        case 1: html += u"<input type=password name=p%1>"_s.arg(i); break;
        case 2: html += u"<a href=\"http://a.test/%1\">link %1</a>"_s.arg(i); break;
        case 3: html += u"<span title=s%1>span %1</span>"_s.arg(i); break;
        case 4: html += u"<b>bold %1</b>"_s.arg(i); break;
        case 5: html += u"<input type=radio name=r value=%1>"_s.arg(i); break;
        case 6: html += u"<a href=\"mailto:m%1@a.test\">mail</a>"_s.arg(i); break;
        default: html += u"<i id=i%1>%1</i>"_s.arg(i); break;
        }
    }
    return html;
}

// The ten grid columns of rows first to first + count - 1, read by one
// script in the page and brought over as the list brings its texts.
QString rowsScript(int first, int count)
{
    return uR"(((first, count) => {
  const all = document.all, out = [];
  const text = (v) => (v === undefined || v === null ? '' : String(v));
  for (let i = first; i < first + count && i < all.length; i++) {
    const e = all[i];
    out.push(text(e.tagName), text(e.type), '', text(e.name), text(e.value), text(e.alt), text(e.href),
             text(e.innerText), text(e.innerHTML), text(e.id));
  }
  return out;
})(%1, %2))"_s.arg(first).arg(count);
}

double maxOf(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

// VmRSS or VmHWM of this process, in MB.
double statusMb(const QByteArray &field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = field + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// The peak so far is forgotten, so that each size reports its own.
void resetPeakMemory()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Figures of one kind from every round, beside their baselines from the same
// rounds; the ratio is the median of the rounds' ratios.
struct Series
{
    QList<double> values;
    QList<double> baselines;

    void add(double value, double baseline)
    {
        values.append(value);
        baselines.append(baseline);
    }
    double ratio() const
    {
        QList<double> ratios;
        for (qsizetype i = 0; i < values.size(); ++i)
            ratios.append(baselines[i] > 0 ? values[i] / baselines[i] : 0);
        return median(ratios);
    }
};

void printRow(const char *what, double value, const char *unit, double baseline, double ratio, const char *baselineName,
              double target = 0)
{
    std::printf("  %-34s %9.1f %-2s %9.1f %-2s %6.2f  %-26s", what, value, unit, baseline, unit, ratio, baselineName);
    if (target > 0)
        std::printf(" target <= %g %s: %s", target, unit, value <= target ? "met" : "MISSED");
    std::printf("\n");
}

void printRow(const char *what, const Series &series, const char *baselineName, double target = 0)
{
    printRow(what, median(series.values), "ms", median(series.baselines), series.ratio(), baselineName, target);
}


class Bench
{
public:
    explicit Bench(const Options &options)
        : m_options(options)
    {
        m_chromium.start(m_server.port());
        m_shell = std::make_shared<chromium::ChromiumShellWindows>(QList<chromium::DevToolsEndpoint>{m_chromium.endpoint()});
        m_browser = m_shell->createBrowser();
        // The baseline brings megabytes in one answer on the biggest pages.
        chromium::ChromiumOptions patient;
        patient.callTimeout = std::chrono::seconds(60);
        m_endpoint = std::make_unique<chromium::ChromiumEndpoint>(m_chromium.endpoint(), patient);
    }

    bool run(int elements);

private:
    bool load(const QString &path);
    QJsonArray evaluate(const QString &script);
    // Whether the rows filled show what the script reads of their elements.
    bool agreesWithScript(const shared::ListGrid &grid, int rows);
    QLabel *status() const { return m_window->findChild<QLabel *>(u"Status"_s); }
    bool ready() const { return status()->text() == u"Ready"_s; }
    // Whether rows top to bottom show every column, their long texts too.
    static bool whole(const shared::ListGrid &grid, int top, int bottom)
    {
        for (int row = top; row <= bottom; ++row) {
            for (int col = 1; col <= 10; ++col) {
                if (grid.text(row, col) == u"更新中"_s)
                    return false;
            }
        }
        return true;
    }
    // One return to the event loop, as between two timer steps.
    double eventsMs()
    {
        return msOf([] { QApplication::processEvents(); });
    }

    const Options &m_options;
    testsupport::TestHttpServer m_server;
    testsupport::HeadlessChromium m_chromium;
    std::shared_ptr<chromium::ChromiumShellWindows> m_shell;
    automation::BrowserPtr m_browser;
    std::unique_ptr<chromium::ChromiumEndpoint> m_endpoint;
    chromium::TabPtr m_tab;
    CountingUi m_ui;
    ui::ScopedServices m_installed{m_ui};
    stores::MemoryProgramSettings m_settings;
    QLabel m_mainStatus;
    shared::CellButtonImages m_images;
    shared::MainFormParts m_mainParts{&m_mainStatus, m_images};
    std::unique_ptr<frmPageInfo> m_window;
    double m_rowScriptMs = 0;
};

bool Bench::load(const QString &path)
{
    m_browser->navigate(m_server.url(path));
    QElapsedTimer waited;
    waited.start();
    while (m_browser->readyState() != automation::ReadyState::Complete || m_browser->busy()) {
        if (waited.hasExpired(120000))
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

bool Bench::agreesWithScript(const shared::ListGrid &grid, int rows)
{
    const QJsonArray texts = evaluate(rowsScript(0, rows));
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= 10; ++col) {
            if (grid.cellData(row, 1).toInt() != row - 1 || grid.text(row, col) != texts.at((row - 1) * 10 + col - 1).toString())
                return false;
        }
    }
    return true;
}

bool Bench::run(int elements)
{
    const QString path = u"/n%1.html"_s.arg(elements);
    m_server.setPage(path, generatedPage(elements));
    if (!load(path)) {
        std::fprintf(stderr, "the page of %d elements did not load\n", elements);
        return false;
    }

    gWebBrowser = std::make_unique<CWebBrowserHV>(m_shell);
    m_window = std::make_unique<frmPageInfo>(m_settings, m_ui);
    m_window->SetIeWnd(m_browser);
    m_window->findChild<QTimer *>(u"tmrUpdate"_s)->stop();
    m_window->show();
    QApplication::processEvents();
    auto *grid = m_window->findChild<shared::ListGrid *>(u"fgItem"_s);

    CWebPageHV page(m_settings, m_ui);
    if (!page.SetWebPage(m_browser)) {
        std::fprintf(stderr, "the page of %d elements did not bind\n", elements);
        return false;
    }
    // Both sides warm up: the page's script compiler and layout, our connection.
    QList<ItemNo> found;
    page.SearchItem(found, true, false);
    evaluate(rowsScript(0, 40));

    resetPeakMemory();
    const double emptyRssMb = statusMb("VmRSS");

    Series search, firstStep, paint, toVisible, toWhole, tick, longest;
    int visibleRows = 0;
    qint64 listed = 0;
    for (int round = 0; round < m_options.rounds; ++round) {
        QElapsedTimer sinceUpdate;
        sinceUpdate.start();
        const double searchMs = msOf([&] { m_window->UpdateItemList(false); });
        listed = grid->rows() - 1;
        // The placeholder rows are laid out and painted before the first step.
        const double placeholdersMs = eventsMs();
        const double firstMs = msOf([&] { m_window->tmrUpdate_Timer(); });
        const double paintMs = eventsMs();
        // The rows the first step filled: those in view and the one after.
        visibleRows = grid->bottomRow() - std::max(grid->topRow(), 1) + 2;

        QList<double> steps{placeholdersMs, firstMs, paintMs};
        // The long texts of the visible rows arrive at later steps.
        const int top = std::max(grid->topRow(), 1);
        while (!whole(*grid, top, top + visibleRows - 1) && !sinceUpdate.hasExpired(120000)) {
            steps.append(msOf([&] { m_window->tmrUpdate_Timer(); }));
            steps.append(eventsMs());
        }
        const double wholeMs = double(sinceUpdate.nsecsElapsed()) / 1e6;
        QList<double> ticks;
        for (int i = 0; i < m_options.ticks && !ready(); ++i) {
            ticks.append(msOf([&] { m_window->tmrUpdate_Timer(); }));
            steps.append(ticks.back());
            steps.append(eventsMs());
        }

        const double searchAloneMs = msOf([&] { page.SearchItem(found, true, false); });
        const double rowsScriptMs = msOf([&] { evaluate(rowsScript(0, visibleRows)); });
        const double rowScriptMs = msOf([&] { evaluate(rowsScript(elements / 2, 1)); });
        search.add(searchMs, searchAloneMs);
        firstStep.add(firstMs, rowsScriptMs);
        paint.add(paintMs, placeholdersMs);
        toVisible.add(searchMs + placeholdersMs + firstMs + paintMs, searchAloneMs + rowsScriptMs);
        toWhole.add(wholeMs, searchAloneMs + rowsScriptMs);
        tick.add(median(ticks), rowScriptMs);
        longest.add(maxOf(steps), rowsScriptMs);
        m_rowScriptMs = rowScriptMs;
        if (round == 0 && !agreesWithScript(*grid, visibleRows)) {
            std::fprintf(stderr, "the rows filled do not show what the script reads\n");
            return false;
        }
    }

    std::printf("\n%d elements, %lld rows listed, %d filled by the first step; medians of %d rounds, %d background "
                "steps each\n",
                elements, qlonglong(listed), visibleRows, m_options.rounds, m_options.ticks);
    std::printf("  %-34s %12s %12s %6s  %-26s\n", "", "figure", "baseline", "ratio", "baseline is");
    printRow("Update to visible rows shown", toVisible, "SearchItem + script", 300);
    printRow("... with their long texts too", toWhole, "SearchItem + script");
    printRow("search phase (UpdateItemList)", search, "SearchItem alone", elements >= 100000 ? 1500 : 0);
    printRow("first step (visible rows + 1)", firstStep, "script, same rows");
    printRow("paint of the filled rows", paint, "paint of placeholders");
    printRow("background step (median)", tick, "script, one row", 30);
    printRow("longest step after the search", longest, "script, same rows", 100);
    std::printf("  %-34s %9.1f MB\n", "resident memory, list listed", statusMb("VmRSS"));

    // The step that finds no placeholder left looks at every row: the rows
    // are marked filled without reading them, so that it comes at once.
    Series closing;
    for (int round = 0; round < m_options.rounds; ++round) {
        m_window->UpdateItemList(false);
        {
            const shared::ListGrid::BulkWrites bulk(*grid);
            for (int row = 1; row < grid->rows(); ++row)
                grid->setText(row, 1, u"DIV"_s);
        }
        QApplication::processEvents();
        closing.add(msOf([&] { m_window->tmrUpdate_Timer(); }), m_rowScriptMs);
        if (!ready()) {
            std::fprintf(stderr, "the closing step did not end the fill\n");
            return false;
        }
    }
    printRow("closing step (looks at every row)", closing, "script, one row", 30);

    if (elements <= m_options.fillUpTo) {
        // The peak of the fill alone, not of the baselines' answers before it.
        resetPeakMemory();
        m_window->UpdateItemList(false);
        QList<double> ticks, steps;
        const double fillMs = msOf([&] {
            while (!ready()) {
                ticks.append(msOf([&] { m_window->tmrUpdate_Timer(); }));
                steps.append(eventsMs());
            }
        });
        steps.append(ticks);
        const double rss = statusMb("VmRSS");
        const double hwm = statusMb("VmHWM");
        const double allRowsScriptMs = msOf([&] { evaluate(rowsScript(0, elements)); });
        bool filled = true;
        for (int row = 1; row < grid->rows() && filled; ++row)
            filled = grid->text(row, 1) != u"更新中"_s;
        std::printf("  filled to the end in %lld steps: %s\n", qlonglong(ticks.size()),
                    filled ? "every row" : "NOT EVERY ROW");
        printRow("time to fill every row", fillMs / 1000, "s", allRowsScriptMs / 1000, fillMs / allRowsScriptMs,
                 "script, every row");
        printRow("step while filling (median)", median(ticks), "ms", m_rowScriptMs, median(ticks) / m_rowScriptMs,
                 "script, one row", 30);
        printRow("longest step while filling", maxOf(steps), "ms", m_rowScriptMs, maxOf(steps) / m_rowScriptMs,
                 "script, one row", 100);
        printRow("resident memory, filled (VmRSS)", rss, "MB", emptyRssMb, rss / emptyRssMb, "before the list", 150);
        printRow("peak resident memory (VmHWM)", hwm, "MB", emptyRssMb, hwm / emptyRssMb, "before the list", 150);
    }

    // A failed read is told to the user and fills its cells pink, which
    // makes the times above those of something else.
    std::printf("  beeps and message boxes: %d\n", m_ui.reports);
    m_ui.reports = 0;
    m_window.reset();
    gWebBrowser.reset();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // The real window at its normal size; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<Options> options = parse(QApplication::arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        Bench bench(*options);
        for (const int elements : options->sizes) {
            if (!bench.run(elements))
                return 1;
            std::fflush(stdout);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_inspector: %s\n", e.what());
        return 1;
    }
    return 0;
}
