#pragma once

#include "browser/BrowserList.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "tests/support/chromium/TestHttpServer.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <memory>

namespace benchsupport {

// Opens that many tabs, each on a small page of its own, and waits (at most
// a minute) until the list shows them all complete.
inline void openLoadedTabs(testsupport::TestHttpServer &server,
                           const std::shared_ptr<chromium::ChromiumShellWindows> &shell, int tabs)
{
    using namespace Qt::StringLiterals;
    for (int i = 0; i < tabs; ++i) {
        const QString path = u"/tab"_s + QString::number(i) + u".html"_s;
        server.setPage(path, u"<title>タブ "_s + QString::number(i) + u"</title><p>page</p>"_s);
        shell->createBrowser()->navigate(server.url(path));
    }
    CWebBrowserHV webBrowser(shell);
    QElapsedTimer loading;
    loading.start();
    while (loading.elapsed() < 60000) {
        const QList<BrowserListRow> rows = ReadBrowserList(webBrowser);
        if (rows.size() >= tabs && std::all_of(rows.cbegin(), rows.cend(), [](const BrowserListRow &row) {
                return row.ReadyState == automation::ReadyState::Complete;
            }))
            return;
        QThread::msleep(50);
    }
}

} // namespace benchsupport
