#include "settings/SettingsTable.h"

using namespace Qt::StringLiterals;

const QList<SettingEntry> &settingsTable()
{
    using S = SettingsVariables;
    static const QList<SettingEntry> table{
        {0, u"Settings"_s, u"DebugFlag"_s, u"0"_s, &S::DebugFlag},
        {0, u"Settings"_s, u"ViewPartsFlag"_s, u"1"_s, &S::ViewPartsFlag},
        {0, u"Settings"_s, u"IeItemAutoUpdate"_s, u"0"_s, &S::IeItemAutoUpdate},
        {0, u"Settings"_s, u"WindowTopMost"_s, u"False"_s, &S::WindowTopMost},
        {0, u"Settings"_s, u"OpaqueRateMain"_s, u"100"_s, &S::OpaqueRateMain},
        {0, u"Settings"_s, u"PrinterName"_s, u""_s, &S::PrinterName},
        {0, u"Settings"_s, u"PrnOffsetX"_s, u"0"_s, &S::PrnOffsetX},
        {0, u"Settings"_s, u"PrnOffsetY"_s, u"0"_s, &S::PrnOffsetY},
        {0, u"Settings"_s, u"PrnScale"_s, u"100"_s, &S::PrnScale},
        {0, u"Settings"_s, u"PrnOrientation"_s, u"0"_s, &S::PrnOrientation},
        {0, u"Settings"_s, u"OrderListDateWidth"_s, u"0"_s, &S::OrderListDateWidth},
        {0, u"Settings"_s, u"AnalyzeView"_s, u"0"_s, &S::AnalyzeView},
        {0, u"Settings"_s, u"AnalyzeWidth"_s, u"0"_s, &S::AnalyzeWidth},
        {0, u"Settings"_s, u"CurrentUserInfoID"_s, u"0"_s, &S::CurrentUserInfoID},
        {0, u"Settings"_s, u"StartClipBoardMode"_s, u"False"_s, &S::StartClipBoardMode},
        {0, u"WebMemory"_s, u"Weg_LogoutItemNo"_s, u"-1"_s, &S::Weg_LogoutItemNo},
        {0, u"PositionIE"_s, u"WebPage_Left"_s, u"0"_s, &S::WebPage_Left},
        {0, u"PositionIE"_s, u"WebPage_Top"_s, u"0"_s, &S::WebPage_Top},
        {0, u"PositionIE"_s, u"WebPage_Width"_s, u"1024"_s, &S::WebPage_Width},
        {0, u"PositionIE"_s, u"WebPage_Height"_s, u"750"_s, &S::WebPage_Height},
        {0, u"SetBrowser"_s, u"BrowserUnloadClose"_s, u"True"_s, &S::BrowserUnloadClose},
        {0, u"SetBrowser"_s, u"OtherClose"_s, u"True"_s, &S::OtherClose},
        {0, u"SetBrowser"_s, u"ProcessFinishURL"_s, u"1"_s, &S::ProcessFinishURL},
        {0, u"SetBrowser"_s, u"DeleteSpecifyTime"_s, u"24"_s, &S::DeleteSpecifyTime},
        {0, u"SetBrowser"_s, u"AfterAutoWebView"_s, u"False"_s, &S::AfterAutoWebView},
        {0, u"SetBrowser"_s, u"ViewFinishHide"_s, u"False"_s, &S::ViewFinishHide},
        {0, u"SetBrowser"_s, u"WebViewTime1"_s, u"10"_s, &S::WebViewTime1},
        {0, u"SetBrowser"_s, u"WebViewTime2"_s, u"60"_s, &S::WebViewTime2},
        {0, u"Sound"_s, u"SoundClipBoard"_s, u""_s, &S::SoundClipBoard},
        {1, u"SearchWoed"_s, u"DefaultValidDays"_s, u"10"_s, &S::DefaultValidDays},
        {1, u"SearchWoed"_s, u"LastTrendWordCollect"_s, u"0"_s, &S::LastTrendWordCollect},
        {1, u"Setting_Action"_s, u"AutoSearchRepeat"_s, u"False"_s, &S::AutoSearchRepeat},
        {1, u"Setting_Action"_s, u"RepeatMaxN"_s, u"30"_s, &S::RepeatMaxN},
        {1, u"Setting_Action"_s, u"SearchInterval"_s, u"10"_s, &S::SearchInterval},
        {1, u"Setting_Action"_s, u"SearchInterval2"_s, u"10"_s, &S::SearchInterval2},
        {1, u"Setting_Action"_s, u"SearchWatch"_s, u"False"_s, &S::SearchWatch},
    };
    return table;
}
