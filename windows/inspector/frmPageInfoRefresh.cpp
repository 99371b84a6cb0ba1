#include "windows/inspector/frmPageInfo.h"

#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/automation/OperationBudget.h"
#include "platform/ui/UiServices.h"
#include "windows/inspector/FilterPanel.h"
#include "windows/inspector/GridIeTag.h"
#include "windows/inspector/ItemListFill.h"
#include "windows/inspector/ItemListModel.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/NumberText.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// The longest a step waits for the browser's answers; a slower answer is
// taken at a later step, and the window goes on meanwhile.
constexpr std::chrono::milliseconds kFillPatience{20};

// How many call deadlines a whole refresh may take.
constexpr int kRefreshDeadlines = 4;

} // namespace

void frmPageInfo::cmdUpdateItem_Click()
{
    UpdateItemList(mUi.isCtrlKeyDown());
}

void frmPageInfo::UpdateItemList(bool vForce)
{
    // A browser known not to answer would list nothing: the list stays as it
    // is until a tick finds the browser answering.
    if (mStatusBeforeNoAnswer) {
        mUi.beep();
        return;
    }
    QScopedValueRollback busy(mListBusy, true);
    mFill->restart();
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

    const bool anyFilter = fraFilter->ApplyFilterPanel(*mWebPage);
    // Elapsed time, not time of day, so a search across midnight is not negative.
    QElapsedTimer clock;
    clock.start();
    setStatus(u"Update Start"_s);
    mStatusPanel->repaint();
    mFillEnd = false;
    // No filter and no 全検索 would list nothing.
    if (!fraFilter->isSearchAll() && !anyFilter)
        fraFilter->setSearchAll(true);

    mWebPage->SetWebPage(ie);
    QList<ItemNo> itemNos;
    const ItemNo n = mWebPage->SearchItem(itemNos, fraFilter->isSearchAll(), fraFilter->isRegSearch());
    // -1: the page changed under the search. The list stays empty with its
    // header, and the page watch takes over at the next step.
    const ItemNo count = std::max<ItemNo>(0, std::min<ItemNo>(n, ItemNo(itemNos.size()) - 1));
    fraFilter->showProcessTime(QString::number(double(clock.elapsed()) / 1000.0, 'f', 2));
    mItems->list(itemNos.mid(1, count));
    shared::FitNumberColumn(*fgItem, count);
    // The rows in view are read as soon as the window has shown the list.
    mFillTimer->start();
}

// The count boxes, the binding and the fill state stay as they were; a fill
// still pending finds no placeholder row left and ends at the next step.
void frmPageInfo::showPageLoading(const QString &readyState)
{
    mFill->restart();
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

    const PageCheck check = mWebPage->CheckPage();
    showWhetherAnswering(check);
    // Nothing more is asked of a browser that does not answer, in this step
    // or by the fill between the ticks, until a tick finds it answering.
    if (check.outcome == PageCheck::Outcome::NoAnswer) {
        mFillTimer->stop();
        return;
    }
    if (check.outcome == PageCheck::Outcome::Elsewhere) {
        shared::SetMousePointer(shared::kPointerDefault);
        if (!mWebPage->IsWebPage())
            cmdCancel_Click();
        if (mWebPage->IsWebPageComplete())
            cmdUpdateItem_Click();
        return;
    }
    fillStep(kFillPatience);
}

void frmPageInfo::fillRowsInView()
{
    if (!mWebPage || mListBusy)
        return;
    QScopedValueRollback busy(mListBusy, true);
    const automation::OperationBudget budget;
    fillStep(kFillPatience);
}

void frmPageInfo::fillStep(std::chrono::milliseconds patience)
{
    if (mFillEnd || mStatusBeforeNoAnswer)
        return;
    using Step = inspector::ItemListFill::Step;
    const Step step = mFill->step(*mWebPage, fgItem->topRow() - 1, fgItem->bottomRow() - 1, patience);
    if (step == Step::Done) {
        mFillTimer->stop();
        setStatus(u"Ready"_s);
        mFillEnd = true;
        shared::SetMousePointer(shared::kPointerDefault);
        return;
    }
    // Between the ticks only while an answer is awaited: failed rows wait
    // for their turn at the ticks.
    if (step == Step::Waiting && !mFillTimer->isActive())
        mFillTimer->start();
    else if (step == Step::Idle)
        mFillTimer->stop();
    setStatus(u"Update："_s + shared::SignedNumberText(mItems->filledCount()) + u"/"_s
              + shared::SignedNumberText(mItems->rowCount()));
}

void frmPageInfo::setStatus(const QString &text)
{
    mStatusPanel->setText(text);
}
