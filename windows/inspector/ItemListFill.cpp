#include "windows/inspector/ItemListFill.h"

#include "page/CWebPageHV.h"

#include <QDeadlineTimer>

#include <algorithm>

namespace inspector {

namespace {

// What a step may spend taking an answer and showing it, and what a read may
// keep the browser busy, so that rows scrolled into view wait little.
constexpr double kWindowBudgetNs = 30e6;
constexpr double kBrowserBudgetNs = 80e6;
// The first read after a listing, before any cost is known; each later read
// is at most this many times its predecessor.
constexpr int kFirstFurther = 64;
constexpr int kGrowth = 4;
constexpr int kMostFurther = 20000;
// A read has a cost of its own besides its rows'; smaller batches spend
// more on reads than on rows.
constexpr int kFewestFurther = 32;
// Steps between reads of failed rows: at one step a tick, five seconds at most.
constexpr int kLongestFailedPause = 50;

// A row's short cells with its element's identity, and its long texts.
const QList<qint32> kShortCodes{kTagName, kType, kClickCol, kName, kValueCol, kAlt, kHref, kId, kUniqueId};
const QList<qint32> kLongCodes{kInnerText, kInnerHtml};

// Recent steps weigh more than old ones: a page's rows grow and shrink.
double blended(double old, double now)
{
    return old <= 0 ? now : 0.5 * old + 0.5 * now;
}

} // namespace

ItemListFill::ItemListFill(ItemListModel &model)
    : m_model(model)
{
}

ItemListFill::~ItemListFill() = default;

void ItemListFill::restart()
{
    m_read.reset();
    m_readRows.clear();
    m_longRows.clear();
    m_shortFirst = false;
    m_batchWindowNs = m_batchBrowserNs = 0;
    m_lastFilledView = -1;
    m_lastFurther = 0;
    m_failedPause = 1;
    m_idleSteps = 0;
}

ItemListFill::Step ItemListFill::step(CWebPageHV &page, int top, int bottom, std::chrono::milliseconds patience)
{
    const QDeadlineTimer until(patience);
    // At most a batch's two parts a step, so that a step keeps to its time.
    for (int taken = 0; taken < 2; ++taken) {
        if (!m_read)
            send(page, top, bottom);
        if (!m_read)
            break;
        if (!m_read->ready(std::chrono::duration_cast<std::chrono::milliseconds>(until.remainingTimeAsDuration())))
            return Step::Waiting;
        take();
        // The next read goes out at once: the browser reads while the window
        // shows what came.
        send(page, top, bottom);
    }
    if (m_read)
        return Step::Waiting;
    return m_model.failedCount() > 0 ? Step::Idle : Step::Done;
}

int ItemListFill::furtherRows() const
{
    if (m_lastFurther == 0)
        return kFirstFurther;
    double fit = kMostFurther;
    if (m_windowCostPerRow > 0)
        fit = std::min(fit, kWindowBudgetNs / m_windowCostPerRow);
    if (m_browserCostPerRow > 0)
        fit = std::min(fit, kBrowserBudgetNs / m_browserCostPerRow);
    return std::max(kFewestFurther, std::min(int(fit), m_lastFurther * kGrowth));
}

void ItemListFill::send(CWebPageHV &page, int top, int bottom)
{
    // After a read the browser left unanswered, a few new rows show first,
    // small enough for the browser to answer at once: the long texts then
    // follow for them all.
    const bool resuming = std::exchange(m_shortFirst, false);
    if (!m_longRows.isEmpty() && !resuming)
        return sendLong(page);
    if (!sendShort(page, top, bottom, resuming ? kFewestFurther : furtherRows()) && !m_longRows.isEmpty())
        sendLong(page);
}

void ItemListFill::sendLong(CWebPageHV &page)
{
    m_readRows = std::exchange(m_longRows, {});
    QStringList uniqueIds;
    uniqueIds.reserve(m_readRows.size());
    for (const ItemListModel::ListedRow row : std::as_const(m_readRows))
        uniqueIds.append(m_model.uniqueId(row));
    m_read = page.StartItemStrRowsOf(uniqueIds, kLongCodes);
    m_readIsLong = true;
    m_sentAt.start();
}

bool ItemListFill::sendShort(CWebPageHV &page, int top, int bottom, int further)
{
    m_readRows = m_model.rowsToFill(top, bottom, m_lastFilledView, further, false);
    if (m_readRows.isEmpty() && m_model.failedCount() > 0 && ++m_idleSteps >= m_failedPause) {
        m_readRows = m_model.rowsToFill(top, bottom, m_lastFilledView, further, true);
        m_idleSteps = 0;
        m_failedPause = std::min(2 * m_failedPause, kLongestFailedPause);
    }
    if (m_readRows.isEmpty())
        return false;
    m_lastFurther = std::max(1, further);
    QList<qint32> itemNos;
    itemNos.reserve(m_readRows.size());
    for (const ItemListModel::ListedRow row : std::as_const(m_readRows))
        itemNos.append(m_model.itemNo(row));
    m_read = page.StartItemStrRows(itemNos, kShortCodes);
    m_readIsLong = false;
    m_sentAt.start();
    return true;
}

void ItemListFill::take()
{
    // Taken out first: a message box about a failed read runs the event
    // loop, where the user may sort the rows or list them again.
    const std::unique_ptr<ItemRowsRead> read = std::move(m_read);
    const QList<ItemListModel::ListedRow> rows = std::exchange(m_readRows, {});
    // A browser that did not answer says nothing about the rows, and the
    // window already tells the user: they wait for their read again.
    if (read->unanswered()) {
        if (m_readIsLong)
            m_longRows = rows;
        m_shortFirst = true;
        return;
    }
    m_batchBrowserNs += double(m_sentAt.nsecsElapsed());
    QElapsedTimer clock;
    clock.start();
    const QList<QList<ItemText>> texts = read->take();
    const int failedBefore = m_model.failedCount();
    for (qsizetype k = 0; k < rows.size() && k < texts.size(); ++k) {
        if (m_readIsLong) {
            m_model.fillLong(rows[k], kLongCodes, texts[k]);
        } else if (m_model.fillShort(rows[k], kShortCodes, texts[k])) {
            // The rows after those in view come in the order the fill goes on in.
            m_lastFilledView = m_model.viewRow(rows[k]);
            if (m_model.waitsForLongTexts(rows[k]))
                m_longRows.append(rows[k]);
        }
    }
    // Rows read again and read at last are worth reading again soon.
    if (m_model.failedCount() < failedBefore)
        m_failedPause = 1;
    m_batchWindowNs += double(clock.nsecsElapsed());
    // A batch's cost is known once its long texts are in.
    if ((!m_readIsLong && !m_longRows.isEmpty()) || rows.isEmpty())
        return;
    m_windowCostPerRow = blended(m_windowCostPerRow, m_batchWindowNs / double(rows.size()));
    m_browserCostPerRow = blended(m_browserCostPerRow, m_batchBrowserNs / double(rows.size()));
    m_batchWindowNs = m_batchBrowserNs = 0;
}

} // namespace inspector
