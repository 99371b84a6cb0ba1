#include "windows/shared/CellToolTip.h"

#include <QTextDocument>
#include <QToolTip>

namespace shared {

void ShowCellToolTip(QWidget &viewport, const QPoint &globalPos, const QString &text)
{
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // A tool tip renders what looks like mark-up, and a cell's mark-up is
    // there to be read.
    QToolTip::showText(globalPos, Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text,
                       &viewport);
}

} // namespace shared
