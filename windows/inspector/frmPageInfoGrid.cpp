#include "windows/inspector/frmPageInfo.h"

#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/ui/UiServices.h"
#include "windows/inspector/GridIeTag.h"
#include "windows/inspector/ItemColumns.h"
#include "windows/inspector/ItemListModel.h"
#include "windows/inspector/ItemListToolTip.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/CellToolTip.h"
#include "windows/shared/GridCellRules.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QScopeGuard>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using shared::CellButtonImages;

void frmPageInfo::watchGrid()
{
    fgItem->installEventFilter(this);
    fgItem->viewport()->installEventFilter(this);
    fgItem->horizontalHeader()->viewport()->installEventFilter(this);
    connect(fgItem, &shared::ListGrid::cellEdited, this, &frmPageInfo::fgItem_AfterEdit);
    shared::SetGridCellRules(*fgItem, {
        .editable = [this](int row, int col) { return isValueEditable(row, col); },
        .buttonImage = CellButtonImages::kClickRaised,
        .pressDescription = u"この行の要素をクリックします"_s,
        .press =
            [this](int row, int col) {
                fgItem->setCurrent(row, col);
                clickRowItem();
            },
    });
    // Rows that scrolled into view are filled now, not at the next tick.
    connect(fgItem->verticalScrollBar(), &QScrollBar::valueChanged, this, &frmPageInfo::fillRowsInView);
}

bool frmPageInfo::fgItem_Event(QObject *watched, QEvent *event)
{
    if (watched == fgItem) {
        // The menu key's menu comes to the grid, the mouse's to its cells.
        if (event->type() == QEvent::ContextMenu) {
            if (fgItem->row() >= 1)
                showGridMenu(fgItem->viewport()->mapToGlobal(fgItem->visualRect(fgItem->currentIndex()).center()));
            return true;
        }
        return event->type() == QEvent::KeyPress && fgItem_KeyDown(*static_cast<QKeyEvent *>(event));
    }

    if (watched == fgItem->horizontalHeader()->viewport()) {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pos = mouse->position().toPoint();
        // The corner is the number column's header; other headers sort as
        // usual, and borders resize.
        if (mouse->button() != Qt::LeftButton || fgItem->horizontalHeader()->logicalIndexAt(pos) != 0
            || fgItem->isOnColumnBorder(pos))
            return false;
        if (event->type() == QEvent::MouseButtonPress)
            fgItem->sortByColumn(0, Qt::AscendingOrder);
        else
            shared::ResetColumnWidths(*fgItem);
        return true;
    }

    // The cells.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return fgItem_MouseDown(*static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        fgItem_DblClick(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::ContextMenu:
        // The mouse opened the menu on its press already.
        return true;
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        shared::ShowCellToolTip(*fgItem->viewport(), help->globalPos(),
                                inspector::ItemListToolTip(*fgItem, fgItem->mouseRow(help->pos()),
                                                           fgItem->mouseCol(help->pos())));
        return true;
    }
    default:
        return false;
    }
}

bool frmPageInfo::fgItem_MouseDown(const QMouseEvent &event)
{
    const QPoint pos = event.position().toPoint();
    if (event.button() == Qt::RightButton) {
        const int row = fgItem->mouseRow(pos);
        if (row >= 1) {
            fgItem->setCurrent(row, fgItem->mouseCol(pos));
            showGridMenu(event.globalPosition().toPoint());
        }
        return true;
    }
    if (event.button() == Qt::LeftButton
        && shared::IsMouseOnCellButton(*fgItem, pos, CellButtonImages::kClickPressed)) {
        clickRowItem();
        return true;
    }
    return false;
}

// The pressed image stands while the element is clicked and goes back in
// any case, before a failure is reported. A click that navigates may have
// listed the rows again meanwhile; then there is no button left to raise.
void frmPageInfo::clickRowItem()
{
    const int row = fgItem->row();
    const QPersistentModelIndex button = fgItem->currentIndex();
    mItems->setClickPressed(row - 1, true);
    QString type = fgItem->text(row, inspector::kTypeCol);
    const QString ident = rowElementName(row);
    const ItemNo itemNo = rowItemNo(row);
    reportingFailures([&] {
        const auto raise = qScopeGuard([&] {
            if (button.isValid())
                mItems->setClickPressed(button.row(), false);
        });
        mWebPage->ItemClick(itemNo, type, ident);
    });
}

// The key's counterpart of a double-click on a Name or id cell, from any
// cell of the row.
void frmPageInfo::focusRowElement()
{
    const int row = fgItem->row();
    if (row < 1)
        return;
    const QString name = rowElementName(row);
    reportingFailures([&] { mWebPage->SetfocusItem(name); });
}

QString frmPageInfo::rowElementName(int row) const
{
    const QString id = fgItem->text(row, inspector::kIdCol);
    return id.isEmpty() ? fgItem->text(row, inspector::kNameCol) : id;
}

void frmPageInfo::fgItem_DblClick(const QPoint &pos)
{
    const int row = fgItem->row();
    const int col = fgItem->col();
    // Only on the cell the press made current: the number column never
    // becomes current and must not act on the cell that is.
    if (row < 1 || fgItem->mouseRow(pos) != row || fgItem->mouseCol(pos) != col)
        return;
    const QString key = fgItem->cellData(0, col).toString();
    if (key == inspector::kValueKey) {
        editValueCell();
    } else if (key == inspector::kNameKey || key == inspector::kIdKey) {
        const QString name = fgItem->text(row, col);
        reportingFailures([&] { mWebPage->SetfocusItem(name); });
    }
}

// Only a value that was read may be edited: an unfilled or failed cell
// would write a text the page never held.
bool frmPageInfo::isValueEditable(int row, int col) const
{
    // The list's rows say which of their cells hold a value that was read.
    return row >= 1 && fgItem->model()->flags(fgItem->model()->index(row - 1, col)).testFlag(Qt::ItemIsEditable);
}

void frmPageInfo::editValueCell()
{
    if (isValueEditable(fgItem->row(), fgItem->col()))
        fgItem->editCell(fgItem->row(), fgItem->col());
}

// Keys act as in any item view; these add editing, clicking, focusing,
// copying and the menu.
bool frmPageInfo::fgItem_KeyDown(const QKeyEvent &event)
{
    // Keys an open editor passed on (its Enter among them) are not the grid's.
    if (!fgItem->hasFocus())
        return false;
    if (event.matches(QKeySequence::Copy)) {
        mnuGrid01_Copy_Click();
        return true;
    }
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::ControlModifier) {
        focusRowElement();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    if ((enter || event.key() == Qt::Key_Space)
        && shared::IsCellButton(*fgItem, fgItem->row(), fgItem->col(), CellButtonImages::kClickRaised)) {
        clickRowItem();
        return true;
    }
    if (enter || event.key() == Qt::Key_F2) {
        editValueCell();
        // Enter must not reach the dialog.
        return true;
    }
    return false;
}

void frmPageInfo::fgItem_AfterEdit(int row, int col)
{
    if (fgItem->cellData(0, col).toString() != inspector::kValueKey)
        return;
    const qint32 hWnd = inspector::GetGridIeHandle(*fgItem);
    const QString value = fgItem->text(row, col);
    const ItemNo itemNo = rowItemNo(row);
    reportingFailures([&] {
        // A browser gone or no longer on the web keeps the text in the grid only.
        qint32 found = hWnd;
        const automation::BrowserPtr ie = hWnd != 0 ? gWebBrowser->GetIE(found) : nullptr;
        if (!ie || !gWebBrowser->IsWebPage(ie))
            return;
        if (!mWebPage->SetItem_Value(itemNo, value))
            mUi.beep();
    });
}

void frmPageInfo::showGridMenu(const QPoint &globalPos)
{
    mnuGrid01->popup(globalPos);
}

void frmPageInfo::mnuGrid01_Copy_Click()
{
    mUi.setClipboardText(fgItem->text(fgItem->row(), fgItem->col()));
}

qint32 frmPageInfo::rowItemNo(int row) const
{
    return qint32(fgItem->cellData(row, inspector::kItemNoCol).toInt());
}
