#pragma once

#include <QDateTime>
#include <QString>

// The program-wide settings. Start-up owns the one set and hands it to the
// main window. They hold their defaults only once LoadSettings has run; the
// defaults live with the store's table.
struct SettingsVariables
{
    qint32 DebugFlag{};
    qint32 ViewPartsFlag{};
    bool IeItemAutoUpdate{};
    bool WindowTopMost{};
    qint32 OpaqueRateMain{};
    QString PrinterName;
    float PrnOffsetX{};
    float PrnOffsetY{};
    float PrnScale{};
    qint16 PrnOrientation{};
    qint16 OrderListDateWidth{};
    bool AnalyzeView{};
    qint16 AnalyzeWidth{};
    qint32 CurrentUserInfoID{};
    bool StartClipBoardMode{};

    qint16 Weg_LogoutItemNo{};

    qint16 WebPage_Left{};
    qint16 WebPage_Top{};
    qint16 WebPage_Width{};
    qint16 WebPage_Height{};

    bool BrowserUnloadClose{};
    bool OtherClose{};
    qint16 ProcessFinishURL{};
    double DeleteSpecifyTime{};
    bool AfterAutoWebView{};
    bool ViewFinishHide{};
    qint16 WebViewTime1{};
    qint16 WebViewTime2{};

    QString SoundClipBoard;

    qint16 DefaultValidDays{};
    QDateTime LastTrendWordCollect;

    bool AutoSearchRepeat{};
    qint16 RepeatMaxN{};
    qint16 SearchInterval{};
    qint16 SearchInterval2{};
    bool SearchWatch{};
};
