#include "platform/ui/QtUiServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ui::MessageButtons;
using ui::MessageIcon;
using ui::MessageResult;
using ui::MousePointer;

namespace {

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}

struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the message box that is about to open by pressing one of its
// buttons, or by Escape when button is NoButton.
void answerNextBox(QMessageBox::StandardButton button, SeenBox &seen)
{
    QTimer::singleShot(0, qApp, [button, &seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->text(), box->windowTitle(), box->icon()};
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
}

} // namespace

TEST(QtUiServices, BusyPointersReplaceEachOtherAndDefaultRemovesOnlyOurs)
{
    QGuiApplication::setOverrideCursor(Qt::CrossCursor); // someone else's
    {
        ui::QtUiServices services;
        services.setMousePointer(MousePointer::Hourglass);
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        services.setMousePointer(MousePointer::ArrowHourglass);
        EXPECT_EQ(overrideShape(), Qt::BusyCursor);
        services.setMousePointer(MousePointer::Default);
        EXPECT_EQ(overrideShape(), Qt::CrossCursor);
        services.setMousePointer(MousePointer::Default);
        EXPECT_EQ(overrideShape(), Qt::CrossCursor);
        services.setMousePointer(MousePointer::Hourglass);
    }
    // Going away takes its own pointer with it.
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtUiServices, TopMostKeepsTheWindowShownInPlace)
{
    ui::QtUiServices services;
    QWidget window;
    window.setGeometry(120, 80, 300, 200);
    window.show();
    const QRect before = window.geometry();

    services.setTopMost(&window, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);

    services.setTopMost(&window, false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);
}

TEST(QtUiServices, MessageBoxShowsItsTextsAndReportsTheChosenButton)
{
    ui::QtUiServices services;
    SeenBox seen;

    answerNextBox(QMessageBox::No, seen);
    EXPECT_EQ(services.messageBox(u"本文"_s, u"題名"_s, MessageIcon::Warning, MessageButtons::YesNo),
              MessageResult::No);
    EXPECT_EQ(seen.text, u"本文"_s);
    EXPECT_EQ(seen.title, u"題名"_s);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    // Escape on a box with only OK still answers OK; with Cancel it cancels.
    answerNextBox(QMessageBox::NoButton, seen);
    EXPECT_EQ(services.messageBox(u"a"_s, u"b"_s, MessageIcon::None, MessageButtons::Ok),
              MessageResult::Ok);
    answerNextBox(QMessageBox::NoButton, seen);
    EXPECT_EQ(services.messageBox(u"a"_s, u"b"_s, MessageIcon::None, MessageButtons::OkCancel),
              MessageResult::Cancel);
}
