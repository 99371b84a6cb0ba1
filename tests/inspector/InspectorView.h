#pragma once

// The inspector's grid and controls as its user sees them, for tests that
// drive the real window over a real Chromium.
#include "windows/inspector/frmPageInfo.h"
#include "windows/shared/ListGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace testsupport {

class InspectorView
{
public:
    // Failure limits, not expectations: a loaded machine takes its time.
    static constexpr int kPatienceMs = 30000;
    static constexpr int kIdCol = 10;

    explicit InspectorView(frmPageInfo &inspector)
        : grid(inspector.findChild<shared::ListGrid *>(QStringLiteral("fgItem")))
        , m_inspector(inspector)
    {
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return m_inspector.findChild<T *>(name);
    }
    QString status() const { return control<QLabel>(QStringLiteral("Status"))->text(); }
    bool waitUntilReady() const
    {
        return QTest::qWaitFor([&] { return status() == QStringLiteral("Ready"); }, kPatienceMs);
    }
    QStringList ids() const
    {
        QStringList list;
        for (int row = 1; row < grid->rows(); ++row)
            list.append(grid->text(row, kIdCol));
        return list;
    }
    int rowOf(const QString &id) const { return int(ids().indexOf(id)) + 1; }
    QPoint centre(int row, int col) const { return grid->visualRect(grid->model()->index(row - 1, col)).center(); }
    void update() const { control<QPushButton>(QStringLiteral("cmdUpdateItem"))->click(); }
    void clearFilter() const { control<QPushButton>(QStringLiteral("cmdFilterClear"))->click(); }
    void onlyTag(const QString &tag) const
    {
        clearFilter();
        control<QCheckBox>(QStringLiteral("chkTagName_") + tag)->setChecked(true);
        control<QCheckBox>(QStringLiteral("chkSearchAll"))->setChecked(true);
    }

    shared::ListGrid *grid;

private:
    frmPageInfo &m_inspector;
};

} // namespace testsupport
