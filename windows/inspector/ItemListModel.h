#pragma once

#include "page/ReadFailures.h"
#include "windows/inspector/ItemColumns.h"
#include "windows/shared/ListGridModel.h"

#include <QHash>

#include <array>
#include <memory>
#include <vector>

namespace inspector {

// The element list of the inspector: one row per element the search found,
// a placeholder until the fill reads it, every cell of a row from one read
// of one element. Rows stay where the listing put them; sorting reorders a
// view of them, so that a read under way finds its rows wherever they moved.
// Besides element rows it holds rows of free text (setRowCount, setData),
// which the window uses for messages in place of the list.
class ItemListModel : public shared::ListGridModel
{
    Q_OBJECT

public:
    // A row as listed, however the view is sorted.
    using ListedRow = qint32;

    // Why a cell shows pink, as the user reads it: its error number and,
    // where the read was told to the user, the error's description.
    static constexpr int FailureRole = Qt::UserRole + 10;

    explicit ItemListModel(QObject *parent = nullptr);

    // Lists the item numbers as placeholder rows 1, 2, ..., replacing every row.
    void list(const QList<qint32> &itemNos);

    void setRowCount(int rows) override;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The rows that wait for a read: the placeholders among view rows
    // [top, bottom], then up to `further` more after view row `after`,
    // wrapping. With `failed`, rows whose last read failed count too.
    QList<ListedRow> rowsToFill(int top, int bottom, int after, int further, bool failed) const;
    qint32 itemNo(ListedRow listed) const;
    // A row is read in two parts, its short cells with the element's
    // kUniqueId first, so that it shows at once, then its long texts from
    // the element that identity names, wherever the page moved it. cells[k]
    // is property codes[k]. False when the row no longer waits for it.
    bool fillShort(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells);
    bool fillLong(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells);
    // The identity the short part read; empty when it could not.
    QString uniqueId(ListedRow listed) const;
    bool waitsForLongTexts(ListedRow listed) const;
    int viewRow(ListedRow listed) const;
    // Rows shown (their long texts may still be coming) and rows whose read
    // failed, since the listing.
    int filledCount() const { return m_filled; }
    int failedCount() const { return m_failed; }
    bool isPlaceholder(int viewRow) const;

    // The click picture of a filled row that has one: pressed while its
    // element is clicked.
    void setClickPressed(int viewRow, bool pressed);

private:
    enum class State : quint8 { Text, Placeholder, ShortIn, Filled, Failed };
    struct Row
    {
        qint32 itemNo = 0;
        State state = State::Text;
        bool clickable = false;
        bool clickPressed = false;
        std::array<QString, kLastItemCol + 1> cells; // by column; column 0 of text rows only
        QString uniqueId;
        // The error number of each pink cell; none when no cell is.
        std::unique_ptr<std::array<qint32, kLastItemCol + 1>> failures;
    };

    const Row *rowAt(const QModelIndex &index) const;
    // Keeps the cells read; true when one failed in a way worth reading again.
    bool keepCells(ListedRow listed, const QList<qint32> &codes, const QList<ItemText> &cells);
    void setState(ListedRow listed, State state);
    QVariant clickPicture(const Row &row) const;
    void emitRowChanged(int viewRow);

    std::vector<Row> m_rows;  // as listed
    QList<int> m_order;       // view row -> listed row
    QList<int> m_viewRowOf;   // listed row -> view row
    // The errors of failed reads that were told to the user, by listed row
    // and column: few, and shared by the cells one failed call failed.
    QHash<qint64, std::shared_ptr<const automation::AutomationError>> m_errors;
    int m_filled = 0;
    int m_failed = 0;
};

} // namespace inspector
