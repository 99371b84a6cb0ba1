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

    // A place in pixels, stored as the program stores it.
    void storePlace(const QRect &place)
    {
        store(u"MainLeft"_s, QString::number(twipsX(place.x())));
        store(u"MainTop"_s, QString::number(twipsY(place.y())));
        store(u"MainWidth"_s, QString::number(twipsX(place.width())));
        store(u"MainHeight"_s, QString::number(twipsY(place.height())));
    }

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
    // The size inside the frame, which a window not yet shown can take back.
    EXPECT_EQ(stored(u"MainWidth"_s), QString::number(twipsX(m_window.width())));
    EXPECT_EQ(stored(u"MainHeight"_s), QString::number(twipsY(m_window.height())));
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

TEST_F(FormPositionTest, RestoreOfAHiddenWindowWithNothingStoredCentresItInTheNormalState)
{
    store(u"MainWindowState"_s, u"2"_s);
    RestoreFormPosition(m_window, u"Main"_s, 0, m_store);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_window.windowState(), Qt::WindowNoState);
    EXPECT_EQ(m_window.frameGeometry().center(), screen().center());
}

TEST_F(FormPositionTest, RestoreOfAVisibleWindowAppliesTheStoredBoundsOnScreen)
{
    storePlace({-50, 20, 300, 150});
    showAt({5, 5});
    RestoreFormPosition(m_window, u"Main"_s, 0, m_store);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.frameGeometry().topLeft(), QPoint(0, 20));
    EXPECT_EQ(m_window.size(), QSize(300, 150));
}

// A place saved on a larger screen, or one that has gone, comes back whole.
TEST_F(FormPositionTest, APlaceBeyondTheScreenIsPulledOnShownOrNot)
{
    for (const bool shownFirst : {false, true}) {
        QWidget window;
        window.resize(200, 100);
        if (shownFirst)
            window.show();
        storePlace({screen().right() + 400, screen().bottom() - 20, 300, 150});
        RestoreFormPosition(window, u"Main"_s, 0, m_store);
        window.show();
        // Until then, a window shown for the first time may not know its frame.
        QCoreApplication::processEvents();
        const QRect outer = window.frameGeometry();
        EXPECT_EQ(outer.right(), screen().right()) << shownFirst;
        EXPECT_EQ(outer.bottom(), screen().bottom()) << shownFirst;
        EXPECT_EQ(window.size(), QSize(300, 150)) << shownFirst;
    }
}

// Each run places a fresh window before showing it, when the window system
// may not know its frame yet, and saves on close: the window must open
// where it was left and neither wander nor grow by its frame from one run
// to the next.
TEST_F(FormPositionTest, RunAfterRunTheWindowKeepsItsPlaceAndSize)
{
    storePlace({90, 80, 340, 200});
    QRect first;
    for (int run = 0; run < 3; ++run) {
        QWidget window;
        window.resize(200, 100);
        RestoreFormPosition(window, u"Main"_s, 0, m_store);
        window.show();
        if (run == 0) {
            first = window.frameGeometry();
            EXPECT_EQ(first.topLeft(), QPoint(90, 80));
            EXPECT_EQ(window.size(), QSize(340, 200));
        }
        EXPECT_EQ(window.frameGeometry(), first) << run;
        SaveFormPosition(window, u"Main"_s, m_store);
    }
}

TEST(KeptOnScreen, MovesARectangleOntoTheScreenItsCentreIsOn)
{
    const QRect area = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(KeptOnScreen(QRect(10, 10, 100, 50)), QRect(10, 10, 100, 50));
    EXPECT_EQ(KeptOnScreen(QRect(area.right() - 40, -30, 100, 50)), QRect(area.right() - 99, 0, 100, 50));
    // Its centre on no screen: the primary one takes it.
    EXPECT_EQ(KeptOnScreen(QRect(-5000, area.bottom() + 5000, 100, 50)),
              QRect(0, area.bottom() - 49, 100, 50));
    // Larger than the screen: the top left corner.
    EXPECT_EQ(KeptOnScreen(QRect(30, 30, area.width() + 50, area.height() + 50)).topLeft(), QPoint(0, 0));
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
