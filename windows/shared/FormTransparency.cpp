#include "windows/shared/FormTransparency.h"

#include "platform/ui/FormPosition.h"
#include "platform/ui/UiServices.h"
#include "windows/shared/ControlRoutines.h"

#include <QWidget>

namespace shared {

namespace {

// Kept on the window itself: a window system that positions windows in
// whole pixels has no room to carry them in the off-screen position.
constexpr char kSavedGeometry[] = "vorlaneOutOfSightGeometry";
constexpr char kSavedState[] = "vorlaneOutOfSightState";

constexpr Qt::WindowStates kSizeStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

void moveOutOfSight(QWidget *window)
{
    // Fading twice must not forget where the window came from.
    if (window->property(kSavedGeometry).isValid())
        return;
    const QRect normal = window->normalGeometry();
    window->setProperty(kSavedGeometry, normal);
    window->setProperty(kSavedState, int(window->windowState() & kSizeStates));
    window->setWindowState(window->windowState() & ~kSizeStates);
    // Mirrored through the origin: as far left and up as it was right and down.
    window->setGeometry(QRect(QPoint(-(normal.left() + normal.width()), -(normal.top() + normal.height())),
                              normal.size()));
}

void bringBackIntoSight(QWidget *window)
{
    const QVariant saved = window->property(kSavedGeometry);
    // A window that was never moved away is where it should be.
    if (!saved.isValid())
        return;
    const auto state = Qt::WindowStates(window->property(kSavedState).toInt());
    window->setProperty(kSavedGeometry, QVariant());
    window->setProperty(kSavedState, QVariant());
    window->setGeometry(KeptOnScreen(saved.toRect()));
    window->setWindowState(window->windowState() | state);
}

} // namespace

void SetFormTransparency(QWidget *window, bool restore, qint16 opacity, bool topMost)
{
    ui::UiServices &services = ui::services();
    const bool canFade = services.canFadeWindows();
    if (restore) {
        if (canFade)
            services.setWindowOpacity(window, 100);
        else
            bringBackIntoSight(window);
        SetTopMost(window, topMost);
    } else {
        if (canFade)
            services.setWindowOpacity(window, opacity);
        else
            moveOutOfSight(window);
        SetTopMost(window, false);
    }
}

} // namespace shared
