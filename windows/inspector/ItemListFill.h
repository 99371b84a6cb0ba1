#pragma once

#include "windows/inspector/ItemListModel.h"

#include <QElapsedTimer>

#include <chrono>
#include <memory>

class CWebPageHV;
class ItemRowsRead;

namespace inspector {

// Fills the placeholder rows of an element list at the pace the browser and
// the window can keep: each step takes the answer of the read under way, if
// it has come, and sends the next. A batch of rows is read in two parts:
// the short cells of the rows in view and of as many after them as the last
// batches say fit in the time a step may take, so that they show at once,
// then the long texts of the same elements. A read that failed is tried
// again later, less often the longer it fails.
class ItemListFill
{
public:
    explicit ItemListFill(ItemListModel &model);
    ~ItemListFill();
    ItemListFill(const ItemListFill &) = delete;
    ItemListFill &operator=(const ItemListFill &) = delete;

    // Starts again on a new listing; a read under way is dropped.
    void restart();

    enum class Step {
        Waiting, // a read is under way
        Done,    // every row is filled
        Idle,    // only failed rows are left, not yet due to be read again
    };
    // The view rows [top, bottom] are filled first. Waits up to `patience`
    // for the browser's answer.
    Step step(CWebPageHV &page, int top, int bottom, std::chrono::milliseconds patience);

private:
    void send(CWebPageHV &page, int top, int bottom);
    void sendLong(CWebPageHV &page);
    // The rows in view and `further` more; false when no row waits for its
    // short part.
    bool sendShort(CWebPageHV &page, int top, int bottom, int further);
    void take();
    int furtherRows() const;

    ItemListModel &m_model;
    std::unique_ptr<ItemRowsRead> m_read; // sent, its answer not yet taken
    bool m_readIsLong = false;
    QList<ItemListModel::ListedRow> m_readRows;
    // Rows whose short part is in and whose long texts are to be sent for.
    QList<ItemListModel::ListedRow> m_longRows;
    bool m_shortFirst = false;
    QElapsedTimer m_sentAt;
    int m_lastFilledView = -1;
    // What a row cost in the last batches, in nanoseconds: to take and show
    // in the window, and to read in the browser; and the batch so far.
    double m_windowCostPerRow = 0;
    double m_browserCostPerRow = 0;
    double m_batchWindowNs = 0;
    double m_batchBrowserNs = 0;
    int m_lastFurther = 0;
    // Failed rows are read again after this many steps that found nothing
    // else to read, twice as many each time they fail again.
    int m_failedPause = 1;
    int m_idleSteps = 0;
};

} // namespace inspector
