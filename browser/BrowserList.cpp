#include "browser/BrowserList.h"

using namespace Qt::StringLiterals;

QList<BrowserListRow> ReadBrowserList(CWebBrowserHV &webBrowser)
{
    QList<BrowserListRow> rows;
    const qint16 n = webBrowser.WindowCount();
    for (qint16 index = 0; index < n; ++index) {
        const automation::BrowserPtr w = webBrowser.Windows(index);
        if (!webBrowser.IsWebPage(w))
            continue;
        const qint32 state = webBrowser.GetReadyStatus(w);
        rows.append({qint16(rows.size() + 1), state, webBrowser.ReadyStateName(state), webBrowser.GetIE_URL(w),
                     webBrowser.GetWebPageTitle(w), HandleText(webBrowser.GetIE_hWnd(w))});
    }
    return rows;
}

QString HandleText(qint32 hWnd)
{
    return QString(u"00000000"_s + QString::number(quint32(hWnd), 16).toUpper()).right(8);
}
