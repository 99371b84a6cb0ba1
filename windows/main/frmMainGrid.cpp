#include "windows/main/frmMain.h"

#include "windows/main/IeListRow.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

using shared::CellButtonImages;

void frmMain::watchGrid()
{
    fgIeList->viewport()->installEventFilter(this);
    fgIeList->horizontalHeader()->viewport()->installEventFilter(this);
}

// The list has one action of its own, its "詳細" buttons; the grid does
// nothing of its own with a left press (no selection, sorting or column
// dragging). Other buttons reach the grid as usual.
bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const bool onCells = watched == fgIeList->viewport();
    const bool onHeader = watched == fgIeList->horizontalHeader()->viewport();
    if (!onCells && !onHeader)
        return QMainWindow::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!(mouse->button() == Qt::LeftButton || mouse->buttons() & Qt::LeftButton))
            return false;
        const QPoint pos = mouse->position().toPoint();
        if (onCells && event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::MouseMove)
            fgIeList_BeforeMouseDown(pos);
        else if (onHeader && event->type() == QEvent::MouseButtonDblClick
                 && fgIeList->horizontalHeader()->logicalIndexAt(pos) == ielist::NumberColumn)
            shared::ResetColumnWidths(*fgIeList);
        return true;
    }
    case QEvent::ToolTip:
        if (onCells)
            fgIeList_ToolTip(*static_cast<QHelpEvent *>(event));
        return onCells;
    default:
        return false;
    }
}

// Brings the row's browser window forward. Opening the inspector on it
// comes with the inspector window.
void frmMain::fgIeList_BeforeMouseDown(const QPoint &pos)
{
    if (!shared::IsMouseOnCellButton(*fgIeList, pos, CellButtonImages::kDetailRaised))
        return;
    shared::SetCurrentCellButton(*fgIeList, CellButtonImages::kDetailPressed);
    fgIeList->viewport()->repaint(fgIeList->visualRect(fgIeList->currentIndex()));
    qint32 handle = shared::HexTextToLong(fgIeList->text(fgIeList->row(), ielist::HandleColumn));
    fgIeList->viewport()->repaint();
    // The window may have closed or left the web since the last tick;
    // then there is nothing to bring forward.
    try {
        if (const automation::BrowserPtr ie = handle ? gWebBrowser->GetIE(handle) : nullptr) {
            ie->restoreWindow();
            ie->bringToFront();
            ie->setVisible(true);
        }
    } catch (const automation::AutomationError &) {
    }
    shared::SetCurrentCellButton(*fgIeList, CellButtonImages::kDetailRaised);
}

void frmMain::fgIeList_ToolTip(const QHelpEvent &event)
{
    const QString text =
        IeListToolTip(*fgIeList, fgIeList->mouseRow(event.pos()), fgIeList->mouseCol(event.pos()));
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event.globalPos(), text, fgIeList->viewport());
}
