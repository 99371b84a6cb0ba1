#include "bench/inspector/InspectorDriver.h"

#include "windows/inspector/ItemColumns.h"
#include "windows/inspector/frmPageInfo.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QLabel>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>

#include <stdexcept>

namespace bench {

using namespace Qt::StringLiterals;

namespace {

const QString kFillMarker = u"更新中"_s;
const QString kReady = u"Ready"_s;

template<typename T>
T *required(frmPageInfo &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        throw std::runtime_error("the inspector has no " + name.toStdString());
    return found;
}

} // namespace

InspectorDriver::InspectorDriver(frmPageInfo &window)
    : m_window(window)
    , m_grid(required<QTableView>(window, u"fgItem"_s))
    , m_status(required<QLabel>(window, u"Status"_s))
    , m_update(required<QAbstractButton>(window, u"cmdUpdateItem"_s))
    , m_stepTimer(required<QTimer>(window, u"tmrUpdate"_s))
{
}

QWidget *InspectorDriver::gridViewport() const
{
    return m_grid->viewport();
}

const QObject *InspectorDriver::stepTimer() const
{
    return m_stepTimer;
}

QString InspectorDriver::status() const
{
    return m_status->text();
}

bool InspectorDriver::ready() const
{
    return status() == kReady;
}

std::optional<int> InspectorDriver::statusFillCount() const
{
    if (ready())
        return rows();
    // "Update： n/ N"
    static const QRegularExpression count(u"(\\d+)\\s*/\\s*\\d+"_s);
    const QRegularExpressionMatch match = count.match(status());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

int InspectorDriver::rows() const
{
    return m_grid->model()->rowCount();
}

bool InspectorDriver::showsMarker(int row, int column) const
{
    const QAbstractItemModel &model = *m_grid->model();
    return model.data(model.index(row, column)).toString() == kFillMarker;
}

int InspectorDriver::filledRows() const
{
    int filled = 0;
    for (int row = 0; row < rows(); ++row)
        filled += showsMarker(row, inspector::kItemNoCol) ? 0 : 1;
    return filled;
}

std::optional<std::pair<int, int>> InspectorDriver::rowsInView() const
{
    if (rows() == 0)
        return std::nullopt;
    // Down the middle of column 1: the grid is not scrolled sideways here.
    const int x = m_grid->visualRect(m_grid->model()->index(0, inspector::kItemNoCol)).center().x();
    const int first = m_grid->indexAt(QPoint(x, 0)).row();
    if (first < 0)
        return std::nullopt;
    const int last = m_grid->indexAt(QPoint(x, m_grid->viewport()->height() - 1)).row();
    return std::pair(first, last < 0 ? rows() - 1 : last);
}

bool InspectorDriver::rowsInViewFilled(bool withLongTexts) const
{
    const auto inView = rowsInView();
    if (!inView)
        return false;
    for (int row = inView->first; row <= inView->second; ++row) {
        for (int column = inspector::kItemNoCol; column <= inspector::kLastItemCol; ++column) {
            const bool longText = column == inspector::kTextCol || column == inspector::kInnerHtmlCol;
            if ((withLongTexts || !longText) && showsMarker(row, column))
                return false;
        }
    }
    return true;
}

QString InspectorDriver::text(int row, int column) const
{
    const QAbstractItemModel &model = *m_grid->model();
    return model.data(model.index(row, column)).toString();
}

QStringList InspectorDriver::columnTexts(int column) const
{
    QStringList texts;
    texts.reserve(rows());
    for (int row = 0; row < rows(); ++row)
        texts.append(text(row, column));
    return texts;
}

void InspectorDriver::clickUpdate()
{
    m_update->click();
}

void InspectorDriver::sortByColumn(int column)
{
    m_grid->sortByColumn(column, Qt::AscendingOrder);
}

} // namespace bench
