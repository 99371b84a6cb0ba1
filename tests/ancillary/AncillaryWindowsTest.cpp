#include "tests/ui/RecordingUiServices.h"
#include "windows/ancillary/frmAbout.h"
#include "windows/ancillary/frmSplash.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

TEST(SplashAndAbout, ShowTheNameTheBuildsVersionAndTheSameWarning)
{
    const QString version = QString::fromLatin1(EXPECTED_VERSION);
    frmSplash splash;
    frmAbout about;
    EXPECT_EQ(splash.lblVersion->text(), u"Version "_s + version);
    EXPECT_EQ(about.lblVersion->text(), u"ﾊﾞｰｼﾞｮﾝ "_s + version);
    EXPECT_EQ(about.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報 Vorlane"_s);
    EXPECT_EQ(about.lblDescription->text(), u"Weｂページの内部情報を表示します。"_s);
    EXPECT_EQ(splash.lblProductName->text(), u"Vorlane"_s);
    EXPECT_EQ(about.lblProductName->text(), u"Vorlane"_s);
    EXPECT_FALSE(splash.lblWarning->text().isEmpty());
    EXPECT_EQ(about.lblDisclaimer->text(), splash.lblWarning->text());
    EXPECT_FALSE(splash.imgLogo->pixmap().isNull());
}

TEST(About, OkEnterAndEscapeEachCloseIt)
{
    const std::function<void(frmAbout &)> closers[] = {
        [](frmAbout &about) { about.cmdOK->click(); },
        [](frmAbout &about) { QTest::keyClick(&about, Qt::Key_Return); },
        [](frmAbout &about) { QTest::keyClick(&about, Qt::Key_Escape); },
    };
    for (const auto &close : closers) {
        frmAbout about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        close(about);
        EXPECT_FALSE(about.isVisible());
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
