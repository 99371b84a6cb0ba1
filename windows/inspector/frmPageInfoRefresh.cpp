#include "windows/inspector/frmPageInfo.h"

#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/automation/OperationBudget.h"
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

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QScopedValueRollback>

#include <algorithm>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// Column 1 reads this until its row is filled; the row's item number is
// that cell's data, so both travel with the row when the grid is sorted.
const QString kFillMarker = u"更新中"_s;

// The longest a step waits for the browser's answers; a slower answer is
// taken at a later step, and the window goes on meanwhile.
constexpr std::chrono::milliseconds kFillPatience{20};

// How many call deadlines a whole refresh may take.
constexpr int kRefreshDeadlines = 4;

// The columns whose texts can be as long as the page itself.
bool isLongCol(int col)
{
    return col == inspector::kTextCol || col == inspector::kInnerHtmlCol;
}

QList<qint32> fillCodes(bool longTexts)
{
    QList<qint32> codes;
    for (qint32 col = 1; col <= inspector::kLastItemCol; ++col) {
        if (isLongCol(col) == longTexts)
            codes.append(col);
    }
    return codes;
}

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
    dropFill();
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
    // Binding, counting and searching a page of 100,000 elements takes a
    // fraction of a second; a browser that stopped answering must not make
    // each of its calls wait out a deadline of its own.
    const automation::OperationBudget budget(kRefreshDeadlines);
    qint32 found = hWnd;
    const automation::BrowserPtr ie = gWebBrowser->GetIE(found);
    if (!ie)
        return;
    const qint32 state = gWebBrowser->GetReadyStatus(ie);
    if (state != automation::ReadyState::Complete && !vForce) {
        showPageLoading(gWebBrowser->ReadyStateName(state));
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
    dropFill();
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
    const automation::OperationBudget budget;

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

    const QDeadlineTimer until(kFillPatience);
    const auto patience = [&] { return std::chrono::duration_cast<std::chrono::milliseconds>(until.remainingTimeAsDuration()); };
    if (!mFillRead && !startFill()) {
        setStatus(u"Ready"_s);
        mFillEnd = true;
        shared::SetMousePointer(shared::kPointerDefault);
        return;
    }
    if (!mFillRead->ready(patience()))
        return;
    takeFill();
    // The long texts of the rows just shown go out in the same step.
    if (!mLongRows.isEmpty() && startFill() && mFillRead->ready(patience()))
        takeFill();
    setStatus(u"Update："_s + shared::SignedNumberText(mFillCount) + u"/"_s + shared::SignedNumberText(mItemCount));
}

bool frmPageInfo::isPlaceholderRow(int row) const
{
    return row >= 1 && row < fgItem->rows() && fgItem->text(row, inspector::kItemNoCol) == kFillMarker;
}

QList<frmPageInfo::FillRow> frmPageInfo::placeholderRowsToFill() const
{
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
    QList<FillRow> fill;
    for (const int row : std::as_const(rows))
        fill.append({QPersistentModelIndex(fgItem->model()->index(row - 1, inspector::kItemNoCol)), rowItemNo(row)});
    return fill;
}

bool frmPageInfo::startFill()
{
    if (!mLongRows.isEmpty()) {
        mFillPart = FillPart::Long;
        mFillRows = std::exchange(mLongRows, {});
    } else {
        mFillPart = FillPart::Short;
        mFillRows = placeholderRowsToFill();
        if (mFillRows.isEmpty())
            return false;
    }
    QList<qint32> itemNos;
    for (const FillRow &row : std::as_const(mFillRows))
        itemNos.append(row.itemNo);
    mFillRead = mWebPage->StartItemStrRows(itemNos, fillCodes(mFillPart == FillPart::Long));
    return true;
}

void frmPageInfo::takeFill()
{
    // Taken out first: a message box about a failed read runs the event
    // loop, where the user may sort the rows or refresh the list.
    const std::unique_ptr<ItemRowsRead> read = std::move(mFillRead);
    const QList<FillRow> rows = std::exchange(mFillRows, {});
    const bool longTexts = mFillPart == FillPart::Long;
    const QList<qint32> codes = fillCodes(longTexts);
    const QList<qint32> longCodes = fillCodes(true);
    const QList<QList<ItemText>> texts = read->take();

    for (qsizetype k = 0; k < rows.size() && k < texts.size(); ++k) {
        if (!rows[k].cell.isValid())
            continue;
        const int row = rows[k].cell.row() + 1;
        if (rowItemNo(row) != rows[k].itemNo || isPlaceholderRow(row) == longTexts)
            continue;
        const QList<ItemText> &cells = texts[k];
        for (qsizetype j = 0; j < codes.size() && j < cells.size(); ++j)
            SetItemCell(*fgItem, row, codes[j], cells[j]);
        if (longTexts)
            continue;
        // Until its own read lands, a long text shows the row's old marker.
        for (const qint32 col : longCodes)
            fgItem->setText(row, col, kFillMarker);
        const QString tag = cells.value(codes.indexOf(inspector::kItemNoCol)).text;
        if (tag == u"INPUT"_s || !cells.value(codes.indexOf(inspector::kLinkCol)).text.isEmpty())
            shared::SetCellButton(*fgItem, row, inspector::kClickCol, shared::CellButtonImages::kClickRaised, shared::PictureAlignment::CenterCenter);
        ++mFillCount;
        mFillRow = row;
        mLongRows.append(rows[k]);
    }
}

void frmPageInfo::dropFill()
{
    mFillRead.reset();
    mFillRows.clear();
    mLongRows.clear();
}

void frmPageInfo::setStatus(const QString &text)
{
    mStatusPanel->setText(text);
}
