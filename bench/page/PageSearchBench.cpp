// The page model's search and row reads on a page of 10,000 elements in a
// real headless Chromium, against the same selection made by one script run
// in the page. The same script is also timed in our own isolated world, and
// as one script per selection there: what the model's two searches could
// take at best, since the model reads only from that world.
//
//   build/bench/page/bench_page_search [turns, 9 unless given]
#include "bench/support/CountingUi.h"
#include "bench/support/Timing.h"
#include "page/CWebPageHV.h"
#include "page/PropertyCodes.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/support/chromium/ChromiumFixture.h"
#include "tests/support/chromium/HeadlessChromium.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

constexpr int kElements = 10000;
constexpr int kScreenRows = 40;
const QString kLinkText = u"needle"_s;

// Forms, links, cells and plain text in the proportions of a long list page.
QString generatedPage()
{
    QString html = u"<!doctype html><title>big</title><body>"_s;
    // HTML, HEAD, TITLE and BODY are elements too.
    for (int i = 4; i < kElements; ++i) {
        switch (i % 8) {
        case 0: html += u"<input type=text name=t%1 value=v%1>"_s.arg(i); break;
        case 1: html += u"<input type=password name=p%1>"_s.arg(i); break;
        case 2: html += u"<a href=\"http://a.test/%1/%2\">link %1</a>"_s.arg(i).arg(i % 3 ? u"x"_s : kLinkText); break;
        case 3: html += u"<span title=s%1>span %1</span>"_s.arg(i); break;
        case 4: html += u"<b>bold %1</b>"_s.arg(i); break;
        case 5: html += u"<input type=radio name=r value=%1>"_s.arg(i); break;
        case 6: html += u"<a href=\"mailto:m%1@a.test\">mail</a>"_s.arg(i); break;
        default: html += u"<i>%1</i>"_s.arg(i); break;
        }
    }
    return html;
}

const QString kInputsLoop = uR"(if (e.tagName === 'INPUT' && e.type === 'text') inputs.push(i);)"_s;
const QString kLinksLoop = uR"(if (typeof e.href === 'string' && e.href.includes('needle')) links.push(i);)"_s;

// One pass over the elements that makes the selections of `tests`.
QString selectionScript(const QString &tests)
{
    return uR"((() => {
  const all = document.all, inputs = [], links = [];
  for (let i = 0; i < all.length; i++) {
    const e = all[i];
    %1
  }
  return [inputs, links];
})())"_s.arg(tests);
}

using bench::CountingUi;
using bench::median;
using bench::msOf;

// Turns timed of each piece of work; the first argument sets it.
int repeats = 9;

// The median time of `work` over repeats runs, after one run that warms up
// both sides (the page's script compiler, our connection).
double medianMs(const std::function<void()> &work)
{
    work();
    QList<double> times;
    for (int i = 0; i < repeats; ++i)
        times.append(msOf(work));
    return median(times);
}

// Pieces of work timed in turns, so that all meet the same load from
// whatever else runs on the machine: the median time of each, and the
// median over the turns of the first one's time over each other's.
struct Compared
{
    QList<double> ms;
    QList<double> ratios; // ratios[k]: the first over work k; ratios[0] is 1
};

Compared compare(const QList<std::function<void()>> &works)
{
    for (const auto &work : works)
        work();
    QList<QList<double>> times(works.size()), ratios(works.size());
    for (int i = 0; i < repeats; ++i) {
        for (qsizetype k = 0; k < works.size(); ++k)
            times[k].append(msOf(works[k]));
        for (qsizetype k = 0; k < works.size(); ++k)
            ratios[k].append(times[0].back() / times[k].back());
    }
    Compared compared;
    for (qsizetype k = 0; k < works.size(); ++k) {
        compared.ms.append(median(times[k]));
        compared.ratios.append(median(ratios[k]));
    }
    return compared;
}

QList<ItemNo> asItemNos(const QJsonArray &array)
{
    QList<ItemNo> list{0};
    for (const QJsonValue &v : array)
        list.append(ItemNo(v.toInt()));
    return list;
}

int run()
{
    testsupport::TestHttpServer server;
    testsupport::HeadlessChromium headless;
    headless.start(server.port());
    server.setPage(u"/big.html"_s, generatedPage());

    chromium::ChromiumShellWindows shell({headless.endpoint()});
    automation::BrowserPtr browser = shell.createBrowser();
    browser->navigate(server.url(u"/big.html"_s));
    while (browser->readyState() != automation::ReadyState::Complete || browser->busy())
        QThread::msleep(20);

    CountingUi ui;
    stores::MemoryProgramSettings settings;
    CWebPageHV page(settings, ui);
    if (!page.SetWebPage(browser)) {
        std::fprintf(stderr, "the page did not bind\n");
        return 1;
    }
    std::printf("elements: %d; times are medians of %d runs\n", page.GetWebItemN(-1), repeats);

    chromium::ChromiumEndpoint endpoint(headless.endpoint(), {});
    const chromium::TabPtr tab = testsupport::tabShowing(endpoint, server.url(u"/big.html"_s));
    if (!tab) {
        std::fprintf(stderr, "the page's tab was not found\n");
        return 1;
    }
    QList<ItemNo> inputs;
    QList<ItemNo> links;
    // What each script selected, [inputs, links], as (b), (b1) and (b2) last left it.
    QJsonArray selected, selectedInOurWorld, selectedApart;
    const auto evaluate = [&](const QString &script, const QString &context) {
        QJsonObject params{{u"expression"_s, script}, {u"returnByValue"_s, true}};
        if (!context.isEmpty())
            params.insert(u"uniqueContextId"_s, context);
        return endpoint.sessionCall(*tab, u"Runtime.evaluate"_s, params)
            .value(u"result"_s).toObject().value(u"value"_s).toArray();
    };
    const QString bothScript = selectionScript(kInputsLoop + u'\n' + kLinksLoop);
    const QString ourWorld = endpoint.documentContext(*tab);
    const Compared search = compare({
        [&] { // (a) both selections by the page model
            page.ClearItemFilter();
            page.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
            page.SetFilter_Type(1, 0, 0, 0, 0);
            page.SearchItem(inputs, true, false);
            page.ClearItemFilter();
            page.SetFilter_Href(0, 0, kLinkText, QString());
            page.SearchItem(links, true, false);
        },
        [&] { selected = evaluate(bothScript, {}); },                   // (b) one script in the page
        [&] { selectedInOurWorld = evaluate(bothScript, ourWorld); },   // (b1) the same in our world
        [&] {                                                           // (b2) a script per selection there
            selectedApart = {evaluate(selectionScript(kInputsLoop), ourWorld).at(0),
                             evaluate(selectionScript(kLinksLoop), ourWorld).at(1)};
        },
    });
    // A script that failed would have been timed as a fast one.
    const auto agrees = [&](const QJsonArray &script) {
        return asItemNos(script.at(0).toArray()) == inputs && asItemNos(script.at(1).toArray()) == links;
    };
    const bool agree = agrees(selected) && agrees(selectedInOurWorld) && agrees(selectedApart);

    // (c) the ten grid columns of one screen of rows
    QList<ItemNo> rows(kScreenRows);
    std::iota(rows.begin(), rows.end(), ItemNo(kElements / 2));
    QList<qint32> columns(kId - kTagName + 1);
    std::iota(columns.begin(), columns.end(), kTagName);
    const double rowsMs = medianMs([&] { page.GetItemStrRows(rows, columns); });
    const double cellsMs = medianMs([&] {
        for (const ItemNo row : rows) {
            for (const qint32 column : columns) {
                bool error = false;
                page.GetItemStr(row, column, error);
            }
        }
    });

    std::printf("matches: %lld text inputs, %lld links; same as the scripts: %s\n", qlonglong(inputs.size() - 1),
                qlonglong(links.size() - 1), agree ? "yes" : "NO");
    std::printf("(a) SearchItem, both selections: %.1f ms\n", search.ms[0]);
    std::printf("(b) one script in the page:      %.1f ms\n", search.ms[1]);
    std::printf("a / b: %.2f, the median of the ratios of %d turns (target at most 1.5)\n", search.ratios[1], repeats);
    std::printf("(b1) the same script in our own world:       %.1f ms, a / b1: %.2f\n", search.ms[2],
                search.ratios[2]);
    std::printf("(b2) one script per selection in our world:  %.1f ms, a / b2: %.2f\n", search.ms[3],
                search.ratios[3]);
    std::printf("(c) GetItemStrRows, %d rows x 10 columns: %.1f ms (target under 30)\n", kScreenRows, rowsMs);
    std::printf("    the same by %d single GetItemStr calls: %.1f ms\n", kScreenRows * 10, cellsMs);
    std::printf("beeps and message boxes: %d\n", ui.reports);
    return agree ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        repeats = std::max(1, std::atoi(argv[1]));
    try {
        return run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_page_search: %s\n", e.what());
        return 1;
    }
}
