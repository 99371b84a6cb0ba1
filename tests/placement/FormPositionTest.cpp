#include "tests/support/QtPrinting.h"
#include "tests/support/TempStoreFolder.h"

#include "platform/ui/FormPosition.h"
#include "platform/stores/MemoryProgramSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString kApp = u"Vorlane"_s;
const QString kSection = u"ＦormPosition"_s;

class FormPositionTest : public ::testing::Test
{
protected:
    void SetUp() override { m_window.resize(200, 100); }

    QRect screen() const { return m_window.screen()->geometry(); }

    // Twips at the screen's own resolution.
    qint32 twipsX(int pixels) const { return qint32(std::lround(pixels * 1440.0 / m_window.screen()->logicalDotsPerInchX())); }
    qint32 twipsY(int pixels) const { return qint32(std::lround(pixels * 1440.0 / m_window.screen()->logicalDotsPerInchY())); }

    QString stored(const QString &key) const { return m_store.GetSetting(kApp, kSection, key, u"<absent>"_s); }
    void store(const QString &key, const QString &value) { m_store.SaveSetting(kApp, kSection, key, value); }

    void showAt(const QPoint &topLeft)
    {
        m_window.move(topLeft);
        m_window.show();
    }

    QWidget m_window;
    stores::MemoryProgramSettings m_store;
};

} // namespace

TEST_F(FormPositionTest, KeepFormOnScreenPullsAVisibleWindowBackInside)
{
    m_window.move(-20, 50);
    KeepFormOnScreen(m_window);
    EXPECT_EQ(m_window.pos(), QPoint(-20, 50));

    m_window.show();
    KeepFormOnScreen(m_window);
    EXPECT_EQ(m_window.frameGeometry().topLeft(), QPoint(0, 50));

    const QSize outer = m_window.frameGeometry().size();
    m_window.move(screen().width() - outer.width() + 13, screen().height() - 60);
    KeepFormOnScreen(m_window);
    EXPECT_EQ(m_window.frameGeometry().topLeft(),
              QPoint(screen().width() - outer.width(), screen().height() - outer.height()));

    // Larger than the screen: it ends at the top left corner.
    m_window.resize(screen().width() + 50, screen().height() + 50);
    m_window.move(30, 30);
    KeepFormOnScreen(m_window);
    EXPECT_EQ(m_window.frameGeometry().topLeft(), QPoint(0, 0));
}

TEST_F(FormPositionTest, SaveWritesStateAndBoundsInScreenTwips)
{
    showAt({30, 40});
    SaveFormPosition(m_window, u"Main"_s, m_store);
    EXPECT_EQ(stored(u"MainWindowState"_s), u"0"_s);
    EXPECT_EQ(stored(u"MainLeft"_s), QString::number(twipsX(30)));
    EXPECT_EQ(stored(u"MainTop"_s), QString::number(twipsY(40)));
    EXPECT_EQ(stored(u"MainWidth"_s), QString::number(twipsX(m_window.frameGeometry().width())));
    EXPECT_EQ(stored(u"MainHeight"_s), QString::number(twipsY(m_window.frameGeometry().height())));
    EXPECT_FALSE(m_store.contains(kApp, u"FormPosition"_s, u"MainWindowState"_s));
}

TEST_F(FormPositionTest, SaveWhileMaximisedOrMinimisedKeepsTheLastNormalBounds)
{
    store(u"MainLeft"_s, u"111"_s);
    showAt({30, 40});
    m_window.setWindowState(Qt::WindowMaximized);
    SaveFormPosition(m_window, u"Main"_s, m_store);
    EXPECT_EQ(stored(u"MainWindowState"_s), u"2"_s);
    EXPECT_EQ(stored(u"MainLeft"_s), u"111"_s);
    EXPECT_EQ(stored(u"MainWidth"_s), u"<absent>"_s);

    m_window.setWindowState(Qt::WindowMinimized);
    SaveFormPosition(m_window, u"Main"_s, m_store);
    EXPECT_EQ(stored(u"MainWindowState"_s), u"1"_s);
    EXPECT_EQ(stored(u"MainLeft"_s), u"111"_s);
}

TEST_F(FormPositionTest, RestoreOfAHiddenWindowCentresItInTheNormalState)
{
    store(u"MainLeft"_s, u"0"_s);
    store(u"MainWindowState"_s, u"2"_s);
    RestoreFormPosition(m_window, u"Main"_s, 0, m_store);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_window.windowState(), Qt::WindowNoState);
    EXPECT_EQ(m_window.frameGeometry().center(), screen().center());
}

TEST_F(FormPositionTest, RestoreOfAVisibleWindowAppliesTheStoredBoundsOnScreen)
{
    store(u"MainLeft"_s, QString::number(twipsX(-50)));
    store(u"MainTop"_s, QString::number(twipsY(20)));
    store(u"MainWidth"_s, QString::number(twipsX(300)));
    store(u"MainHeight"_s, QString::number(twipsY(150)));
    showAt({5, 5});
    RestoreFormPosition(m_window, u"Main"_s, 0, m_store);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.frameGeometry(), QRect(0, 20, 300, 150));
}

TEST_F(FormPositionTest, RestoreIgnoresNonNumbersAndKeepsTheSizeOfAFixedWindow)
{
    store(u"MainLeft"_s, QString::number(twipsX(40)));
    store(u"MainTop"_s, u"abc"_s);
    store(u"MainWidth"_s, QString::number(twipsX(300)));
    store(u"MainWindowState"_s, u"7"_s);
    m_window.setFixedSize(200, 100);
    showAt({5, 5});
    RestoreFormPosition(m_window, u"Main"_s, 5, m_store);
    QRect centred(QPoint(), m_window.frameGeometry().size());
    centred.moveCenter(screen().center());
    EXPECT_EQ(m_window.frameGeometry(), QRect(QPoint(40, centred.y()), centred.size()));
    EXPECT_EQ(m_window.windowState(), Qt::WindowNoState);
}

TEST_F(FormPositionTest, RestoreStateFollowsTheStoreUnlessTheCallerAsksForNormalOrMinimised)
{
    store(u"MainWindowState"_s, u"2"_s);
    showAt({5, 5});
    RestoreFormPosition(m_window, u"Main"_s, 3, m_store);
    EXPECT_TRUE(m_window.isMaximized());

    RestoreFormPosition(m_window, u"Main"_s, 1, m_store);
    EXPECT_TRUE(m_window.isMinimized());

    RestoreFormPosition(m_window, u"Main"_s, 0, m_store);
    EXPECT_EQ(m_window.windowState(), Qt::WindowNoState);
}

TEST_F(FormPositionTest, PlacementOutlivesTheRunInTheUserStore)
{
    TempStoreFolder folder;
    showAt({30, 40});
    m_window.resize(260, 120);
    const QRect saved = m_window.frameGeometry();
    SaveFormPosition(m_window, u"Main"_s);
    EXPECT_EQ(stores::userProgramSettings().GetSetting(kApp, kSection, u"MainLeft"_s, QString()),
              QString::number(twipsX(30)));

    folder.moveToFreshFolder();
    m_window.move(100, 100);
    m_window.resize(200, 100);
    RestoreFormPosition(m_window, u"Main"_s, 0);
    EXPECT_EQ(m_window.frameGeometry(), saved);
}
