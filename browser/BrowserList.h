#pragma once

#include "browser/CWebBrowserHV.h"

#include <QList>
#include <QString>

// One row of the browser list: a web-page window, as the list shows it.
struct BrowserListRow
{
    qint16 No = 0;
    qint32 ReadyState = automation::ReadyState::Uninitialized;
    QString Status;       // ReadyState's name, for display
    QString URL;
    QString LocationName; // title
    QString hWnd;         // eight upper-case hexadecimal digits
};

// One pass over the shell windows in collection order, keeping the web
// pages. Failures of the walk itself are passed on.
QList<BrowserListRow> ReadBrowserList(CWebBrowserHV &webBrowser);

// The last 8 characters of "00000000" and the handle in upper-case
// hexadecimal; a handle with the top bit set shows its two's complement.
QString HandleText(qint32 hWnd);
