#pragma once

// The main window over a real headless Chromium.

#include "tests/main/MainWindowFixture.h"
#include "tests/support/chromium/ChromiumFixture.h"
#include "windows/inspector/frmPageInfo.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <exception>
#include <functional>

namespace testsupport {

class MainWindowOnChromium : public ChromiumTest, public MainWindowFixture
{
protected:
    void SetUp() override
    {
        ChromiumTest::SetUp();
        load([this] { return shell; });
    }

    QString url(const QString &path) { return server().url(path); }

    // Waits for the list to show exactly these addresses; the number of
    // ticks that began meanwhile.
    qsizetype ticksUntil(const QStringList &expected, QSignalSpy &ticks)
    {
        if (!QTest::qWaitFor([&] { return urls() == expected; }, 5000))
            ADD_FAILURE() << urls().join(u' ').toStdString();
        return ticks.count();
    }

    // Presses the "詳細" button of row and runs inspect while the inspector
    // it opens is up; the inspector is closed afterwards if inspect left it
    // open. False when no inspector came up.
    bool inspectRow(int row, const std::function<void(frmPageInfo &)> &inspect)
    {
        bool opened = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto *inspector = window->findChild<frmPageInfo *>();
            if (!inspector || !inspector->isVisible())
                return;
            opened = true;
            // The platform may be slow to activate it; its first activation
            // runs the first refresh, once.
            if (!QTest::qWaitFor([&] { return inspector->isActiveWindow(); }, 2000)) {
                QEvent activate(QEvent::WindowActivate);
                QApplication::sendEvent(inspector, &activate);
            }
            // Nothing may unwind through the event loops under the test.
            try {
                inspect(*inspector);
            } catch (const std::exception &e) {
                ADD_FAILURE() << "while inspecting: " << e.what();
            }
            if (inspector->isVisible())
                inspector->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        });
        const QPoint button = grid->visualRect(grid->model()->index(row - 1, 1)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, button);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, button);
        return opened;
    }
};

} // namespace testsupport
