#include "platform/ui/FormPosition.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/ValueText.h"
#include "platform/ui/Twips.h"

#include <QScreen>
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

    void write(const QString &suffix, qint32 value)
    {
        m_store.SaveSetting(kApplicationTitle, kSection, m_name + suffix, stores::textOf(value));
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

void setOuterBounds(QWidget &window, const QRect &outer)
{
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    window.resize(outer.size() - frameExtra);
    window.move(outer.topLeft());
}

} // namespace

void SaveFormPosition(const QWidget &rWindow, const QString &vName, stores::ProgramSettings &rStore)
{
    StoredPlacement stored(rStore, vName);
    const qint32 state = windowStateOf(rWindow);
    stored.write(u"WindowState"_s, state);
    if (!rWindow.isVisible() || state != Normal)
        return;
    const QRect outer = rWindow.frameGeometry();
    stored.write(u"Left"_s, ui::PixelsToTwipsX(rWindow, outer.x()));
    stored.write(u"Top"_s, ui::PixelsToTwipsY(rWindow, outer.y()));
    stored.write(u"Width"_s, ui::PixelsToTwipsX(rWindow, outer.width()));
    stored.write(u"Height"_s, ui::PixelsToTwipsY(rWindow, outer.height()));
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
    if (wasVisible) {
        QRect outer = rWindow.frameGeometry();
        outer.moveLeft(ui::TwipsToPixelsX(rWindow, stored.read(u"Left"_s, ui::PixelsToTwipsX(rWindow, outer.x()))));
        outer.moveTop(ui::TwipsToPixelsY(rWindow, stored.read(u"Top"_s, ui::PixelsToTwipsY(rWindow, outer.y()))));
        const bool sizable = rWindow.minimumSize() != rWindow.maximumSize();
        if (sizable) {
            outer.setWidth(
                ui::TwipsToPixelsX(rWindow, stored.read(u"Width"_s, ui::PixelsToTwipsX(rWindow, outer.width()))));
            outer.setHeight(
                ui::TwipsToPixelsY(rWindow, stored.read(u"Height"_s, ui::PixelsToTwipsY(rWindow, outer.height()))));
        }
        setOuterBounds(rWindow, outer);
        KeepFormOnScreen(rWindow);
    }

    const qint32 storedState = stored.read(u"WindowState"_s, Normal);
    if (storedState == Normal || storedState == Minimised || storedState == Maximised)
        setWindowStateTo(rWindow, storedState);
    if (rWindow.isVisible() != wasVisible)
        rWindow.setVisible(wasVisible);
    if (vState == Normal || vState == Minimised)
        setWindowStateTo(rWindow, vState);
}

void KeepFormOnScreen(QWidget &rWindow)
{
    if (!rWindow.isVisible() || windowStateOf(rWindow) != Normal)
        return;
    const QRect screen = rWindow.screen()->geometry();
    QPoint topLeft = rWindow.frameGeometry().topLeft();
    const QSize size = rWindow.frameGeometry().size();
    if (topLeft.x() + size.width() > screen.x() + screen.width())
        topLeft.setX(screen.x() + screen.width() - size.width());
    if (topLeft.x() < screen.x())
        topLeft.setX(screen.x());
    if (topLeft.y() + size.height() > screen.y() + screen.height())
        topLeft.setY(screen.y() + screen.height() - size.height());
    if (topLeft.y() < screen.y())
        topLeft.setY(screen.y());
    rWindow.move(topLeft);
}
