#include "windows/inspector/DesignedControls.h"

#include "platform/ui/Twips.h"

#include <QWidget>

namespace inspector {

void PlaceInTwips(QWidget &control, int left, int top, int width, int height)
{
    control.setGeometry(ui::TwipsToPixelsX(control, left), ui::TwipsToPixelsY(control, top),
                        ui::TwipsToPixelsX(control, width), ui::TwipsToPixelsY(control, height));
}

void Describe(QWidget &control, const QString &caption, const QString &toolTip)
{
    control.setAccessibleName(caption);
    control.setToolTip(toolTip);
    control.setAccessibleDescription(toolTip);
}

} // namespace inspector
