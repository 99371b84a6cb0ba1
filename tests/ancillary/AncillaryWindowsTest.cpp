#include "tests/ui/RecordingUiServices.h"
#include "windows/ancillary/frmAbout.h"
#include "windows/ancillary/frmSplash.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

TEST(SplashAndAbout, ShowTheBuildsVersionAndTheSameWarning)
{
    const QString version = QString::fromLatin1(EXPECTED_VERSION);
    frmSplash splash;
    frmAbout about;
    EXPECT_EQ(splash.lblVersion->text(), u"Version "_s + version);
    EXPECT_EQ(about.lblVersion->text(), u"ﾊﾞｰｼﾞｮﾝ "_s + version);
    EXPECT_EQ(about.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報 Vorlane"_s);
    EXPECT_EQ(about.lblDescription->text(), u"Weｂページの内部情報を表示します。"_s);
    EXPECT_EQ(about.lblDisclaimer->text(), splash.lblWarning->text());
}

TEST(About, EnterAndEscapeCloseIt)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible()) << key;
    }
}

TEST(About, WithoutASystemInformationToolTheMessageShowsAndTheWindowStays)
{
    ui::RecordingUiServices ui;
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toLocal8Bit());
    frmAbout about;
    about.show();
    about.cmdSysInfo->click();
    qputenv("PATH", path);

    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_EQ(ui.messageBoxes[0].text, u"現時点ではｼｽﾃﾑ情報を使用できません"_s);
    EXPECT_EQ(ui.messageBoxes[0].title, u"Vorlane"_s);
    EXPECT_EQ(ui.messageBoxes[0].buttons, ui::MessageButtons::Ok);
    EXPECT_TRUE(about.isVisible());
}
