#include "app/cli/CliCommand.h"

#include "app/cli/Tsv.h"
#include "browser/BrowserList.h"

using namespace Qt::StringLiterals;

namespace {

// A state the browser reported outside the known ones has no number.
JsonValue readyStateNumber(qint32 state)
{
    const bool known = state >= automation::ReadyState::Uninitialized && state <= automation::ReadyState::Complete;
    return known ? JsonValue(qint64(state)) : JsonValue(nullptr);
}

int runTabs(CliCall &call)
{
    const RowFormat format = call.rowFormat();
    CWebBrowserHV webBrowser(call.shellWindows());
    const QList<BrowserListRow> rows = ReadBrowserList(webBrowser);
    // The list pass takes a read that fails for a tab that shows nothing: a
    // browser that went away during it would leave rows short or blank.
    // Walking the windows again says whether it is still there.
    webBrowser.WindowCount();
    if (format == RowFormat::Text) {
        for (const BrowserListRow &row : rows)
            call.out() << TsvLine({QString::number(row.No), row.Status, row.URL, row.LocationName, row.hWnd})
                       << '\n';
        return ExitOk;
    }
    JsonRows json(call.out(), format);
    for (const BrowserListRow &row : rows)
        json.append({{u"no"_s, qint64(row.No)},
                     {u"state"_s, row.Status},
                     {u"readyState"_s, readyStateNumber(row.ReadyState)},
                     {u"url"_s, row.URL},
                     {u"title"_s, row.LocationName},
                     {u"handle"_s, row.hWnd}});
    json.finish();
    return ExitOk;
}

} // namespace

CliCommand TabsCommand()
{
    return {u"tabs"_s,
            u"List the tabs that show a web page."_s,
            u"Lists the tabs that show a web page as the main window does: row number, ready-state name, "
            u"address, title and window handle, tab-separated. In JSON: no, state, readyState (0 to 4), url, "
            u"title, handle."_s,
            {},
            RowFormatOptions(),
            runTabs};
}
