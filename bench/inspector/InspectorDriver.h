#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QAbstractButton;
class QAbstractItemModel;
class QLabel;
class QObject;
class QTableView;
class QTimer;
class QWidget;
class frmPageInfo;

namespace bench {

// The inspector as its user meets it: its status text, its grid and its
// Update button, found by type and name, and read through the generic
// model and view only, so that it outlives any change of how the rows are
// kept. Rows and columns are the model's, from 0; column 0 is the number.
class InspectorDriver
{
public:
    // Throws std::runtime_error naming what the window lacks.
    explicit InspectorDriver(frmPageInfo &window);

    frmPageInfo &window() const { return m_window; }
    QWidget *gridViewport() const;
    // The timer whose ticks are the fill's steps.
    const QObject *stepTimer() const;

    QString status() const;
    bool ready() const;
    // How many rows the status text says are filled; none when it says no
    // count. Every row once it says "Ready".
    std::optional<int> statusFillCount() const;

    int rows() const;
    // Rows whose column 1 no longer shows the fill marker.
    int filledRows() const;
    // The rows in view, first and last; none when the grid shows no row.
    std::optional<std::pair<int, int>> rowsInView() const;
    // Whether every cell of the rows in view, long texts too, is filled.
    // Their short cells alone, or with their long texts too.
    bool rowsInViewFilled(bool withLongTexts = true) const;
    QString text(int row, int column) const;
    QStringList columnTexts(int column) const;

    void clickUpdate();
    void sortByColumn(int column);

private:
    bool showsMarker(int row, int column) const;

    frmPageInfo &m_window;
    QTableView *m_grid;
    QLabel *m_status;
    QAbstractButton *m_update;
    QTimer *m_stepTimer;
};

} // namespace bench
