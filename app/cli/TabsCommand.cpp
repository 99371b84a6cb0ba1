#include "app/cli/CliCommand.h"

#include "app/cli/Tsv.h"
#include "browser/BrowserList.h"
#include "platform/chromium/ConfiguredBrowsers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

int RunTabsCommand(const QStringList &args, CliOutput io)
{
    const bool json = args.contains(u"--json"_s);
    for (const QString &arg : args) {
        if (arg != u"--json"_s)
            throw CliUsageError("tabs: unknown argument " + arg.toStdString());
    }
    CWebBrowserHV webBrowser(chromium::configuredShellWindows());
    const QList<BrowserListRow> rows = ReadBrowserList(webBrowser);
    if (json) {
        QJsonArray array;
        for (const BrowserListRow &row : rows)
            array.append(QJsonObject{{u"no"_s, row.No},
                                     {u"state"_s, row.Status},
                                     {u"url"_s, row.URL},
                                     {u"title"_s, row.LocationName},
                                     {u"handle"_s, row.hWnd}});
        io.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return ExitOk;
    }
    for (const BrowserListRow &row : rows)
        io.out << TsvLine({QString::number(row.No), row.Status, row.URL, row.LocationName, row.hWnd}) << '\n';
    return ExitOk;
}
