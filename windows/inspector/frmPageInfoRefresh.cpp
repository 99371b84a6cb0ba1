#include "windows/inspector/frmPageInfo.h"

#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/ui/UiServices.h"
#include "windows/inspector/FilterPanel.h"
#include "windows/inspector/GridIeTag.h"
#include "windows/inspector/ItemColumns.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/CellButtons.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QScopedValueRollback>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Column 1 reads this until its row is filled; the row's item number is
// that cell's data, so both travel with the row when the grid is sorted.
const QString kFillMarker = u"更新中"_s;
const QString kCompleteState = u"完了"_s;

// Cell (row, col) shows property col of its element, pink when the read failed.
void SetItemCell(shared::ListGrid &grid, int row, int col, const ItemText &read)
{
    grid.setText(row, col, read.text);
    grid.setBackground(row, col, read.unavailable() ? inspector::kFailedCellColor : inspector::kReadCellColor);
}

} // namespace

void frmPageInfo::cmdUpdateItem_Click()
{
    UpdateItemList(mUi.isCtrlKeyDown());
}

void frmPageInfo::UpdateItemList(bool vForce)
{
    QScopedValueRollback busy(mListBusy, true);
    fgItem->setRows(1);
    shared::SetMousePointer(shared::kPointerHourglass);
    // Handle 0 would find the base page, which is not the one inspected.
    const qint32 hWnd = mWebPage ? mWebPage->GetIE_hWnd() : 0;
    if (hWnd != 0)
        reportingFailures([&] { refreshItemList(vForce, hWnd); });
    shared::SetMousePointer(shared::kPointerArrowHourglass);
}

void frmPageInfo::refreshItemList(bool vForce, qint32 hWnd)
{
    qint32 found = hWnd;
    const automation::BrowserPtr ie = gWebBrowser->GetIE(found);
    if (!ie)
        return;
    const QString state = gWebBrowser->GetReadyStateStr(ie);
    if (state != kCompleteState && !vForce) {
        showPageLoading(state);
        return;
    }

    inspector::SetGridIeHandle(*fgItem, hWnd);
    inspector::SetGridIeUrl(*fgItem, gWebBrowser->GetIE_URL(ie));
    gWebBrowser->SetIe(ie);
    // Through the binding of the last refresh: a page navigated since shows
    // its new counts at the following refresh.
    for (int kind = 0; kind <= 4; ++kind)
        fraFilter->showItemCount(kind, mWebPage->GetWebItemN(kind));

    mFillRow = 0;
    const bool anyFilter = fraFilter->ApplyFilterPanel(*mWebPage);
    // Elapsed time, not time of day, so a search across midnight is not negative.
    QElapsedTimer clock;
    clock.start();
    setStatus(u"Update Start"_s);
    mStatusPanel->repaint();
    mFillEnd = false;
    mFillCount = 0;
    // No filter and no 全検索 would list nothing.
    if (!fraFilter->isSearchAll() && !anyFilter)
        fraFilter->setSearchAll(true);

    mWebPage->SetWebPage(ie);
    QList<ItemNo> itemNos;
    const ItemNo n = mWebPage->SearchItem(itemNos, fraFilter->isSearchAll(), fraFilter->isRegSearch());
    // -1: the page changed under the search. The list stays empty with its
    // header, and the page watch takes over at the next step.
    mItemCount = std::max<ItemNo>(0, std::min<ItemNo>(n, ItemNo(itemNos.size()) - 1));
    fraFilter->showProcessTime(QString::number(double(clock.elapsed()) / 1000.0, 'f', 2));

    fgItem->setRows(mItemCount + 1);
    // Three writes a row on a page of 100,000 elements: the view hears of them once.
    const shared::ListGrid::BulkWrites bulk(*fgItem);
    for (ItemNo i = 1; i <= mItemCount; ++i) {
        fgItem->setText(i, 0, QString::number(i));
        fgItem->setText(i, inspector::kItemNoCol, kFillMarker);
        fgItem->setCellData(i, inspector::kItemNoCol, itemNos[i]);
    }
}

// The count boxes, the binding and the fill state stay as they were; a fill
// still pending finds no placeholder row left and ends at the next step.
void frmPageInfo::showPageLoading(const QString &readyState)
{
    fgItem->setRows(2);
    fgItem->setText(1, 1, u"Webページ更新中"_s);
    fgItem->setText(1, 2, readyState);
    mUi.beep();
}

void frmPageInfo::tmrUpdate_Timer()
{
    if (!mWebPage || mListBusy)
        return;
    QScopedValueRollback busy(mListBusy, true);

    if (!mWebPage->CheckWebPage()) {
        shared::SetMousePointer(shared::kPointerDefault);
        if (!mWebPage->IsWebPage())
            cmdCancel_Click();
        if (mWebPage->IsWebPageComplete())
            cmdUpdateItem_Click();
        return;
    }
    if (mFillEnd)
        return;

    // Rows the grid no longer has are not addressed, whatever the last
    // search counted.
    const qint32 lastRow = std::min<qint32>(mItemCount, fgItem->rows() - 1);
    QList<int> rows;
    const int top = std::max(fgItem->topRow(), 1);
    const int bottom = std::min(fgItem->bottomRow(), fgItem->rows() - 1);
    qint32 after = mFillRow;
    for (int r = top; r <= bottom; ++r) {
        if (isPlaceholderRow(r)) {
            rows.append(r);
            after = r;
        }
    }
    // Besides the visible rows, the first unfilled row after the one filled
    // last, wrapping to row 1.
    for (qint32 i = 1; i <= lastRow; ++i) {
        const int r = int((after + i - 1) % lastRow) + 1;
        if (isPlaceholderRow(r) && !rows.contains(r)) {
            rows.append(r);
            break;
        }
    }

    if (fillItemRows(rows)) {
        setStatus(u"Update："_s + shared::SignedNumberText(mFillCount) + u"/"_s + shared::SignedNumberText(mItemCount));
    } else {
        setStatus(u"Ready"_s);
        mFillEnd = true;
        shared::SetMousePointer(shared::kPointerDefault);
    }
}

bool frmPageInfo::isPlaceholderRow(int row) const
{
    return row >= 1 && row < fgItem->rows() && fgItem->text(row, inspector::kItemNoCol) == kFillMarker;
}

bool frmPageInfo::fillItemRows(const QList<int> &rows)
{
    // Held by model index: a message box during the read runs the event
    // loop, where the user may sort the rows or refresh the list.
    QList<QPersistentModelIndex> cells;
    QList<ItemNo> itemNos;
    for (const int row : rows) {
        if (!isPlaceholderRow(row))
            continue;
        cells.append(QPersistentModelIndex(fgItem->model()->index(row - 1, inspector::kItemNoCol)));
        itemNos.append(ItemNo(fgItem->cellData(row, inspector::kItemNoCol).toInt()));
    }
    if (itemNos.isEmpty())
        return false;

    QList<qint32> properties;
    for (qint32 code = 1; code <= inspector::kLastItemCol; ++code)
        properties.append(code);
    const QList<QList<ItemText>> texts = mWebPage->GetItemStrRows(itemNos, properties);

    bool filled = false;
    for (qsizetype k = 0; k < cells.size() && k < texts.size(); ++k) {
        if (!cells[k].isValid())
            continue;
        const int row = cells[k].row() + 1;
        if (!isPlaceholderRow(row) || fgItem->cellData(row, inspector::kItemNoCol).toInt() != itemNos[k])
            continue;
        const QList<ItemText> &read = texts[k];
        for (int col = 1; col <= inspector::kLastItemCol && col <= read.size(); ++col)
            SetItemCell(*fgItem, row, col, read[col - 1]);
        if (read.size() >= inspector::kLinkCol
            && (read[0].text == u"INPUT"_s || !read[inspector::kLinkCol - 1].text.isEmpty()))
            shared::SetCellButton(*fgItem, row, inspector::kClickCol, shared::CellButtonImages::kClickRaised, shared::PictureAlignment::CenterCenter);
        ++mFillCount;
        mFillRow = row;
        filled = true;
    }
    return filled;
}

void frmPageInfo::setStatus(const QString &text)
{
    mStatusPanel->setText(text);
}
