#include "windows/shared/FormTransparency.h"

#include "platform/ui/UiServices.h"
#include "windows/shared/ControlRoutines.h"

#include <QWidget>

namespace shared {

namespace {

// Kept on the window itself, so that fading twice cannot forget that the
// window was shown before.
constexpr char kHiddenForFading[] = "vorlaneHiddenForFading";

// A window manager may keep a moved window partly on the screen, but shows
// nothing of a hidden one, and Qt shows it again where it was, in the state
// it had.
void takeOutOfSight(QWidget *window)
{
    if (!window->isVisible())
        return;
    window->setProperty(kHiddenForFading, true);
    window->hide();
}

void bringBackIntoSight(QWidget *window)
{
    // A window that was never taken away is as it should be.
    if (!window->property(kHiddenForFading).toBool())
        return;
    window->setProperty(kHiddenForFading, QVariant());
    window->show();
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
            takeOutOfSight(window);
        SetTopMost(window, false);
    }
}

} // namespace shared
