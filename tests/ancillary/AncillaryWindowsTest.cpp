#include "tests/ui/RecordingUiServices.h"
#include "windows/ancillary/frmAbout.h"
#include "windows/ancillary/frmSplash.h"
#include "windows/ancillary/ProgramLogo.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// The windows' icon is the SVG file that the desktop gets: it renders (so
// the resource is built in and Qt's SVG plugins are there) and shows what
// the splash and About draw.
TEST(ProgramIcon, RendersTheSameDrawingAsTheLogo)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage drawn =
        icon.pixmap(QSize(kLogoSize, kLogoSize)).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(drawn.size(), QSize(kLogoSize, kLogoSize));
    const QImage logo = ProgramLogo().toImage().convertToFormat(QImage::Format_ARGB32);
    // Well inside each part: outside the rounded corner, the background,
    // the page, a row, the glass's rim and its handle.
    for (const QPoint at : {QPoint(3, 3), QPoint(8, 50), QPoint(40, 17), QPoint(26, 24), QPoint(62, 39), QPoint(82, 80)}) {
        const QRgb a = drawn.pixel(at);
        const QRgb b = logo.pixel(at);
        const int apart = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        EXPECT_LE(apart, 24) << at.x() << "," << at.y() << ": " << std::hex << a << " against " << b;
    }
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
