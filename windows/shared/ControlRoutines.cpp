#include "windows/shared/ControlRoutines.h"

#include "platform/ui/UiServices.h"
#include "windows/shared/MainFormParts.h"

#include <QLabel>

namespace shared {

using namespace Qt::StringLiterals;

void SetStatusText(const QString &text)
{
    if (QLabel *panel = MainFormParts::statusPanel())
        panel->setText(text);
}

void SetMousePointer(qint16 pointer)
{
    switch (pointer) {
    case kPointerHourglass:
        ui::services().setMousePointer(ui::MousePointer::Hourglass);
        break;
    case kPointerArrowHourglass:
        ui::services().setMousePointer(ui::MousePointer::ArrowHourglass);
        break;
    default:
        ui::services().setMousePointer(ui::MousePointer::Default);
        SetStatusText(u"Ready"_s);
        break;
    }
}

void SetTopMost(QWidget *window, bool topMost)
{
    ui::services().setTopMost(window, topMost);
}

} // namespace shared
