#include "tests/support/QtPrinting.h"
#include "tests/support/TempStoreFolder.h"

#include "platform/stores/ApplicationTitle.h"
#include "settings/Settings.h"
#include "settings/SettingsVariables.h"
#include "platform/stores/SettingsStore.h"
#include "platform/stores/StoreFolder.h"
#include "platform/stores/ValueText.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kAbsent = u"<absent>"_s;

struct StoredText
{
    qint32 kind;
    QString section;
    QString key;
    QString text;
};

QString storeFile(qint32 kind)
{
    return stores::storeFilePath(kApplicationTitle, u"store"_s + QString::number(kind));
}

QString readStored(qint32 kind, const QString &section, const QString &key)
{
    stores::SettingsStore store;
    store.OpenStore(kind, kApplicationTitle);
    return store.ReadValue(section, key, kAbsent);
}

void writeStored(qint32 kind, const QString &section, const QString &key, const QString &text)
{
    stores::SettingsStore store;
    store.OpenStore(kind, kApplicationTitle);
    ASSERT_TRUE(store.WriteValue(section, key, text));
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

class SettingsTest : public ::testing::Test
{
protected:
    TempStoreFolder m_folder;
    SettingsVariables settings;
};

} // namespace

TEST_F(SettingsTest, FirstRunWritesAll36KeysWithTheirDefaultTexts)
{
    LoadSettings(settings);
    SaveSettings(settings);

    const QList<StoredText> expected{
        {0, u"Settings"_s, u"DebugFlag"_s, u"0"_s},
        {0, u"Settings"_s, u"ViewPartsFlag"_s, u"1"_s},
        {0, u"Settings"_s, u"IeItemAutoUpdate"_s, u"False"_s},
        {0, u"Settings"_s, u"WindowTopMost"_s, u"False"_s},
        {0, u"Settings"_s, u"OpaqueRateMain"_s, u"100"_s},
        {0, u"Settings"_s, u"PrinterName"_s, u""_s},
        {0, u"Settings"_s, u"PrnOffsetX"_s, u"0"_s},
        {0, u"Settings"_s, u"PrnOffsetY"_s, u"0"_s},
        {0, u"Settings"_s, u"PrnScale"_s, u"100"_s},
        {0, u"Settings"_s, u"PrnOrientation"_s, u"0"_s},
        {0, u"Settings"_s, u"OrderListDateWidth"_s, u"0"_s},
        {0, u"Settings"_s, u"AnalyzeView"_s, u"False"_s},
        {0, u"Settings"_s, u"AnalyzeWidth"_s, u"0"_s},
        {0, u"Settings"_s, u"CurrentUserInfoID"_s, u"0"_s},
        {0, u"Settings"_s, u"StartClipBoardMode"_s, u"False"_s},
        {0, u"WebMemory"_s, u"Weg_LogoutItemNo"_s, u"-1"_s},
        {0, u"PositionIE"_s, u"WebPage_Left"_s, u"0"_s},
        {0, u"PositionIE"_s, u"WebPage_Top"_s, u"0"_s},
        {0, u"PositionIE"_s, u"WebPage_Width"_s, u"1024"_s},
        {0, u"PositionIE"_s, u"WebPage_Height"_s, u"750"_s},
        {0, u"SetBrowser"_s, u"BrowserUnloadClose"_s, u"True"_s},
        {0, u"SetBrowser"_s, u"OtherClose"_s, u"True"_s},
        {0, u"SetBrowser"_s, u"ProcessFinishURL"_s, u"1"_s},
        {0, u"SetBrowser"_s, u"DeleteSpecifyTime"_s, u"24"_s},
        {0, u"SetBrowser"_s, u"AfterAutoWebView"_s, u"False"_s},
        {0, u"SetBrowser"_s, u"ViewFinishHide"_s, u"False"_s},
        {0, u"SetBrowser"_s, u"WebViewTime1"_s, u"10"_s},
        {0, u"SetBrowser"_s, u"WebViewTime2"_s, u"60"_s},
        {0, u"Sound"_s, u"SoundClipBoard"_s, u""_s},
        {1, u"SearchWoed"_s, u"DefaultValidDays"_s, u"10"_s},
        {1, u"SearchWoed"_s, u"LastTrendWordCollect"_s, u"1899-12-30 00:00:00"_s},
        {1, u"Setting_Action"_s, u"AutoSearchRepeat"_s, u"False"_s},
        {1, u"Setting_Action"_s, u"RepeatMaxN"_s, u"30"_s},
        {1, u"Setting_Action"_s, u"SearchInterval"_s, u"10"_s},
        {1, u"Setting_Action"_s, u"SearchInterval2"_s, u"10"_s},
        {1, u"Setting_Action"_s, u"SearchWatch"_s, u"False"_s},
    };
    for (const StoredText &setting : expected)
        EXPECT_EQ(readStored(setting.kind, setting.section, setting.key), setting.text) << setting.key.toStdString();
    // Nothing else was written, and each kind holds only its own settings.
    EXPECT_EQ(QSettings(storeFile(0), QSettings::IniFormat).allKeys().size(), 29);
    EXPECT_EQ(QSettings(storeFile(1), QSettings::IniFormat).allKeys().size(), 7);

    EXPECT_EQ(settings.Weg_LogoutItemNo, -1);
    EXPECT_EQ(settings.WebPage_Width, 1024);
    EXPECT_TRUE(settings.BrowserUnloadClose);
    EXPECT_FALSE(settings.IeItemAutoUpdate);
    EXPECT_EQ(settings.PrnScale, 100.0f);
    EXPECT_EQ(settings.DeleteSpecifyTime, 24.0);
    EXPECT_EQ(settings.LastTrendWordCollect, stores::zeroDate());
}

TEST_F(SettingsTest, StoredValuesLoadAndAreWrittenBackUnchanged)
{
    writeStored(0, u"PositionIE"_s, u"WebPage_Width"_s, u"800"_s);
    writeStored(0, u"Settings"_s, u"PrnScale"_s, u"12.5"_s);
    writeStored(0, u"Settings"_s, u"PrinterName"_s, u" 日本語 ; = \"プリンタ\" "_s);
    writeStored(0, u"Settings"_s, u"WindowTopMost"_s, u"-1"_s);
    writeStored(0, u"SetBrowser"_s, u"DeleteSpecifyTime"_s, u"1.25"_s);
    writeStored(1, u"SearchWoed"_s, u"LastTrendWordCollect"_s, u"2024-05-06 07:08:09"_s);
    writeStored(0, u"Settings"_s, u"NotOurs"_s, u"keep"_s);
    writeStored(1, u"Elsewhere"_s, u"x"_s, u"1"_s);
    m_folder.moveToFreshFolder();

    LoadSettings(settings);
    EXPECT_EQ(settings.WebPage_Width, 800);
    EXPECT_EQ(settings.PrnScale, 12.5f);
    EXPECT_TRUE(settings.WindowTopMost);
    EXPECT_EQ(settings.LastTrendWordCollect, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC));
    SaveSettings(settings);

    EXPECT_EQ(readStored(0, u"PositionIE"_s, u"WebPage_Width"_s), u"800"_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"PrnScale"_s), u"12.5"_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"PrinterName"_s), u" 日本語 ; = \"プリンタ\" "_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"WindowTopMost"_s), u"True"_s);
    EXPECT_EQ(readStored(0, u"SetBrowser"_s, u"DeleteSpecifyTime"_s), u"1.25"_s);
    EXPECT_EQ(readStored(1, u"SearchWoed"_s, u"LastTrendWordCollect"_s), u"2024-05-06 07:08:09"_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"NotOurs"_s), u"keep"_s);
    EXPECT_EQ(readStored(1, u"Elsewhere"_s, u"x"_s), u"1"_s);
}

TEST_F(SettingsTest, NonsenseInTheFileFallsBackPerSettingAndLosesNothingElse)
{
    writeFile(storeFile(0),
              "[Settings]\n"
              "DebugFlag=7\n"
              "AnalyzeWidth=abc\n"
              "PrnOrientation=99999\n"
              "this line is nonsense\n"
              "WindowTopMost=maybe\n"
              "PrinterName=\"left open\n"
              "NotOurs=keep\n"
              "SoundClipBoard=C:\\\n"
              "[Sound]\n"
              "Elsewhere=kept\n"
              "[SetBrowser]\n"
              "WebViewTime1=-40000\n"
              "DeleteSpecifyTime=many\n"
              "WebViewTime2=61\n");
    writeFile(storeFile(1), "[SearchWoed]\nLastTrendWordCollect=yesterday\nDefaultValidDays=3\n");

    LoadSettings(settings);
    EXPECT_EQ(settings.DebugFlag, 7);
    EXPECT_EQ(settings.WebViewTime2, 61);
    EXPECT_EQ(settings.PrinterName, QString());
    EXPECT_EQ(settings.DefaultValidDays, 3);
    EXPECT_EQ(settings.AnalyzeWidth, 0);
    EXPECT_EQ(settings.PrnOrientation, 0);
    EXPECT_FALSE(settings.WindowTopMost);
    EXPECT_EQ(settings.WebViewTime1, 10);
    EXPECT_EQ(settings.DeleteSpecifyTime, 24.0);
    EXPECT_EQ(settings.LastTrendWordCollect, stores::zeroDate());

    SaveSettings(settings);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"DebugFlag"_s), u"7"_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"PrnOrientation"_s), u"0"_s);
    EXPECT_EQ(readStored(0, u"Settings"_s, u"NotOurs"_s), u"keep"_s);
    EXPECT_EQ(readStored(0, u"SetBrowser"_s, u"WebViewTime2"_s), u"61"_s);
    EXPECT_EQ(readStored(0, u"Sound"_s, u"Elsewhere"_s), u"kept"_s);
}

TEST_F(SettingsTest, UnreadableStoreLoadsDefaultsAndTheOtherKindStillWorks)
{
    ASSERT_TRUE(QDir().mkpath(storeFile(0)));
    writeFile(storeFile(1), "[Setting_Action]\nRepeatMaxN=5\n");

    LoadSettings(settings);
    EXPECT_EQ(settings.ViewPartsFlag, 1);
    EXPECT_EQ(settings.RepeatMaxN, 5);

    settings.SearchWatch = true;
    SaveSettings(settings);
    EXPECT_EQ(readStored(1, u"Setting_Action"_s, u"SearchWatch"_s), u"True"_s);
    EXPECT_TRUE(QFileInfo(storeFile(0)).isDir());
}
