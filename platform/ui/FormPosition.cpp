#include "platform/ui/FormPosition.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/ValueText.h"
#include "platform/ui/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>


using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"ＦormPosition"_s; // full-width Ｆ

enum WindowState : qint32 { Normal = 0, Minimised = 1, Maximised = 2 };

qint32 windowStateOf(const QWidget &window)
{
    if (window.isMinimized())
        return Minimised;
    if (window.isMaximized() || window.isFullScreen())
        return Maximised;
    return Normal;
}

void setWindowStateTo(QWidget &window, qint32 state)
{
    Qt::WindowStates states =
        window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == Minimised)
        states |= Qt::WindowMinimized;
    else if (state == Maximised)
        states |= Qt::WindowMaximized;
    window.setWindowState(states);
}

class StoredPlacement
{
public:
    StoredPlacement(stores::ProgramSettings &store, const QString &name)
        : m_store(store)
        , m_name(name)
    {
    }

    bool write(const QString &suffix, qint32 value)
    {
        return m_store.SaveSetting(kApplicationTitle, kSection, m_name + suffix, stores::textOf(value));
    }

    // The stored number, or current when none is stored or it is not a number.
    qint32 read(const QString &suffix, qint32 current) const
    {
        const QString text = m_store.GetSetting(kApplicationTitle, kSection, m_name + suffix, QString());
        return stores::int32FromText(text).value_or(current);
    }

private:
    stores::ProgramSettings &m_store;
    QString m_name;
};

// Keeps a window that was placed before it was shown on the screen once
// more when it is shown and the window system has told its frame: at once
// where the frame is known with the window, on X11 once the window manager
// has framed it, which the window hears as a move. A window that never gets
// a frame stops waiting after a while.
class KeptOnScreenOnceFramed : public QObject
{
public:
    static void watch(QWidget &window)
    {
        // Found by name: without a meta-object of its own, a cast by type
        // would take any child for one.
        const QString name = u"vorlaneKeptOnScreenOnceFramed"_s;
        if (window.findChild<QObject *>(name, Qt::FindDirectChildrenOnly))
            return;
        auto *watcher = new KeptOnScreenOnceFramed(window);
        watcher->setObjectName(name);
        window.installEventFilter(watcher);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // The show event comes before the window is on the screen.
            QTimer::singleShot(0, this, [this] { keepIfFramed(); });
            QTimer::singleShot(kWaitForFrameMs, this, [this] { deleteLater(); });
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window.isVisible())
                keepIfFramed();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr int kWaitForFrameMs = 2000;

    explicit KeptOnScreenOnceFramed(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
    }

    void keepIfFramed()
    {
        if (m_window.frameGeometry().size() == m_window.size())
            return;
        m_window.removeEventFilter(this);
        KeepFormOnScreen(m_window);
        deleteLater();
    }

    QWidget &m_window;
};

} // namespace

bool SaveFormPosition(const QWidget &rWindow, const QString &vName, stores::ProgramSettings &rStore)
{
    StoredPlacement stored(rStore, vName);
    const qint32 state = windowStateOf(rWindow);
    if (!stored.write(u"WindowState"_s, state))
        return false;
    if (!rWindow.isVisible() || state != Normal)
        return true;
    // pos() is the frame's corner and move() takes it back as such; the size
    // is the client's, which resize() takes without knowing the frame.
    return stored.write(u"Left"_s, ui::PixelsToTwipsX(rWindow, rWindow.pos().x()))
           && stored.write(u"Top"_s, ui::PixelsToTwipsY(rWindow, rWindow.pos().y()))
           && stored.write(u"Width"_s, ui::PixelsToTwipsX(rWindow, rWindow.width()))
           && stored.write(u"Height"_s, ui::PixelsToTwipsY(rWindow, rWindow.height()));
}

void RestoreFormPosition(QWidget &rWindow, const QString &vName, qint32 vState, stores::ProgramSettings &rStore)
{
    if (windowStateOf(rWindow) == Normal) {
        QRect outer = rWindow.frameGeometry();
        outer.moveCenter(rWindow.screen()->geometry().center());
        rWindow.move(outer.topLeft());
    }
    const bool wasVisible = rWindow.isVisible();
    setWindowStateTo(rWindow, Normal);

    const StoredPlacement stored(rStore, vName);
    const QPoint corner = rWindow.pos();
    const QPoint storedCorner(
        ui::TwipsToPixelsX(rWindow, stored.read(u"Left"_s, ui::PixelsToTwipsX(rWindow, corner.x()))),
        ui::TwipsToPixelsY(rWindow, stored.read(u"Top"_s, ui::PixelsToTwipsY(rWindow, corner.y()))));
    const bool sizable = rWindow.minimumSize() != rWindow.maximumSize();
    if (sizable) {
        rWindow.resize(
            ui::TwipsToPixelsX(rWindow, stored.read(u"Width"_s, ui::PixelsToTwipsX(rWindow, rWindow.width()))),
            ui::TwipsToPixelsY(rWindow, stored.read(u"Height"_s, ui::PixelsToTwipsY(rWindow, rWindow.height()))));
    }
    // A window not yet shown may not know its frame yet: its client size
    // stands in for the outer one until it is shown.
    rWindow.move(KeptOnScreen(QRect(storedCorner, rWindow.frameGeometry().size()), rWindow.screen()).topLeft());
    if (!wasVisible)
        KeptOnScreenOnceFramed::watch(rWindow);

    const qint32 storedState = stored.read(u"WindowState"_s, Normal);
    if (storedState == Normal || storedState == Minimised || storedState == Maximised)
        setWindowStateTo(rWindow, storedState);
    if (rWindow.isVisible() != wasVisible)
        rWindow.setVisible(wasVisible);
    if (vState == Normal || vState == Minimised)
        setWindowStateTo(rWindow, vState);
}

QRect KeptOnScreen(QRect outer, const QScreen *fallback)
{
    const QScreen *screen = QGuiApplication::screenAt(outer.center());
    if (!screen)
        screen = fallback ? fallback : QGuiApplication::primaryScreen();
    if (!screen)
        return outer;
    const QRect area = screen->geometry();
    if (outer.right() > area.right())
        outer.moveRight(area.right());
    if (outer.left() < area.left())
        outer.moveLeft(area.left());
    if (outer.bottom() > area.bottom())
        outer.moveBottom(area.bottom());
    if (outer.top() < area.top())
        outer.moveTop(area.top());
    return outer;
}

void KeepFormOnScreen(QWidget &rWindow)
{
    if (!rWindow.isVisible() || windowStateOf(rWindow) != Normal)
        return;
    const QRect outer = rWindow.frameGeometry();
    const QPoint kept = KeptOnScreen(outer, rWindow.screen()).topLeft();
    if (kept != outer.topLeft())
        rWindow.move(kept);
}
