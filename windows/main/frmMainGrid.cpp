#include "windows/main/frmMain.h"

#include "platform/automation/AutomationError.h"
#include "platform/stores/IniProgramSettings.h"
#include "platform/ui/UiServices.h"
#include "settings/SettingsVariables.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/IeListRow.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/CellToolTip.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/FormTransparency.h"
#include "windows/shared/GridCellRules.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"
#include "windows/shared/StatusTexts.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>

#include <exception>

using namespace Qt::StringLiterals;
using shared::CellButtonImages;

void frmMain::watchGrid()
{
    fgIeList->installEventFilter(this);
    fgIeList->viewport()->installEventFilter(this);
    fgIeList->horizontalHeader()->viewport()->installEventFilter(this);
    shared::SetGridCellRules(*fgIeList, {
        .buttonImage = CellButtonImages::kDetailRaised,
        .pressDescription = u"この行のﾌﾞﾗｳｻﾞのページ情報を開きます"_s,
        .press =
            [this](int row, int col) {
                fgIeList->setCurrent(row, col);
                pressDetail(row, col);
            },
    });
}

// The list has one action of its own, its "詳細" buttons; the grid does
// nothing of its own with a left press (no selection, sorting or column
// dragging). Other buttons reach the grid as usual.
bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fgIeList)
        return event->type() == QEvent::KeyPress && fgIeList_KeyDown(*static_cast<QKeyEvent *>(event));
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
        const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        if (onCells) {
            if (press)
                fgIeList_BeforeMouseDown(pos);
            return true;
        }
        // Borders still resize their columns.
        if (!press || fgIeList->isOnColumnBorder(pos))
            return false;
        if (event->type() == QEvent::MouseButtonDblClick
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

void frmMain::fgIeList_BeforeMouseDown(const QPoint &pos)
{
    if (!shared::IsMouseOnCellButton(*fgIeList, pos, CellButtonImages::kDetailRaised))
        return;
    pressDetail(fgIeList->row(), fgIeList->col());
}

bool frmMain::fgIeList_KeyDown(const QKeyEvent &event)
{
    if (event.modifiers() & ~Qt::KeypadModifier)
        return false;
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter && event.key() != Qt::Key_Space)
        return false;
    const int row = fgIeList->row();
    if (row >= 1 && !fgIeList->picture(row, ielist::DetailColumn).isNull()) {
        fgIeList->setCurrent(row, ielist::DetailColumn);
        pressDetail(row, ielist::DetailColumn);
    }
    return true;
}

// Brings the row's browser window forward and inspects its page. The
// pressed image stands for as long as the inspector is open.
void frmMain::pressDetail(int row, int col)
{
    shared::SetCurrentCellButton(*fgIeList, CellButtonImages::kDetailPressed);
    fgIeList->viewport()->repaint(fgIeList->visualRect(fgIeList->currentIndex()));
    // Ticks go on under the inspector and may rewrite or drop the row, so
    // the button goes back by its place, whatever happens in between.
    const auto raiseAgain = qScopeGuard([&] {
        shared::SetCellButton(*fgIeList, row, col, CellButtonImages::kDetailRaised,
                              fgIeList->pictureAlignment(row, col));
    });
    qint32 handle = shared::HexTextToLong(fgIeList->text(row, ielist::HandleColumn));
    fgIeList->viewport()->repaint();
    // Nothing may escape into the event loop: a browser that fails here
    // is reported and the list goes on.
    try {
        // The window may have closed or left the web since the last tick.
        const automation::BrowserPtr ie = handle && gWebBrowser ? gWebBrowser->GetIE(handle) : nullptr;
        if (!ie) {
            shared::SetStatusText(QStringView(ielist::kBrowserClosedText).toString());
            return;
        }
        ie->restoreWindow();
        ie->bringToFront();
        ie->setVisible(true);
        showInspector(ie);
    } catch (const automation::AutomationError &e) {
        shared::SetStatusText(QStringView(shared::kBrowserNotAnsweringText).toString() + e.summary());
    } catch (const std::exception &e) {
        shared::SetStatusText(QString::fromLocal8Bit(e.what()));
    }
}

// The main window stays out of sight while the inspector works over it and
// comes back before the inspector goes, even when the show fails.
void frmMain::showInspector(const automation::BrowserPtr &ie)
{
    // Owned by the main window, and deleted by it should it go first.
    QPointer<frmPageInfo> inspector = new frmPageInfo(stores::userProgramSettings(), ui::services(), this);
    const auto unload = qScopeGuard([&] { delete inspector; });
    inspector->SetIeWnd(ie);

    shared::SetFormTransparency(this, false, 0, mSettings.WindowTopMost);
    const auto restore = qScopeGuard([&] {
        shared::SetFormTransparency(this, true, 100, mSettings.WindowTopMost);
        shared::SetMousePointer(shared::kPointerDefault);
    });
    inspector->exec();
}

void frmMain::fgIeList_ToolTip(const QHelpEvent &event)
{
    shared::ShowCellToolTip(*fgIeList->viewport(), event.globalPos(),
                            IeListToolTip(*fgIeList, fgIeList->mouseRow(event.pos()), fgIeList->mouseCol(event.pos())));
}
