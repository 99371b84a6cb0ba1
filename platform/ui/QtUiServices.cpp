#include "platform/ui/QtUiServices.h"

#include "platform/ui/X11Compositor.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

namespace ui {

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    Q_UNREACHABLE();
}

QMessageBox::StandardButtons toQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    }
    Q_UNREACHABLE();
}

MessageResult fromQt(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        // Escape or the close box: an Ok box has nothing else to answer.
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

} // namespace

QtUiServices::~QtUiServices()
{
    setMousePointer(MousePointer::Default);
}

MessageResult QtUiServices::messageBox(const QString &text, const QString &title, MessageIcon icon,
                                       MessageButtons buttons)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons), QApplication::activeWindow());
    return fromQt(box.exec(), buttons);
}

void QtUiServices::beep()
{
    QApplication::beep();
}

bool QtUiServices::isCtrlKeyDown()
{
    // Asks the window system now, not the state of the last input event.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void QtUiServices::setMousePointer(MousePointer pointer)
{
    if (pointer == MousePointer::Default) {
        if (m_overridingCursor)
            QGuiApplication::restoreOverrideCursor();
        m_overridingCursor = false;
        return;
    }
    const QCursor cursor(pointer == MousePointer::Hourglass ? Qt::WaitCursor : Qt::BusyCursor);
    if (m_overridingCursor) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        m_overridingCursor = true;
    }
}

void QtUiServices::setClipboardText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtUiServices::setTopMost(QWidget *window, bool topMost)
{
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topMost);
    if (flags == window->windowFlags())
        return;
    // setWindowFlags() would hide and re-create a shown window; telling the
    // native window directly keeps its place, its size and the focus.
    window->overrideWindowFlags(flags);
    if (QWindow *handle = window->windowHandle())
        handle->setFlags(flags);
}

bool QtUiServices::canFadeWindows()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == u"windows"_s || platform == u"cocoa"_s)
        return true;
    // Without a compositing manager an X11 window ignores its opacity.
    if (platform == u"xcb"_s)
        return isX11CompositorRunning();
    return false;
}

void QtUiServices::setWindowOpacity(QWidget *window, int percent)
{
    window->setWindowOpacity(qBound(0, percent, 100) / 100.0);
}

} // namespace ui
