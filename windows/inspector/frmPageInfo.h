#pragma once

#include "platform/automation/Automation.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

class CWebPageHV;
class QAction;
class QLabel;
class QPushButton;
class QTimer;

namespace inspector {
class FilterPanel;
} // namespace inspector
namespace shared {
class ListGrid;
} // namespace shared
namespace stores {
class ProgramSettings;
} // namespace stores
namespace ui {
class UiServices;
} // namespace ui

// The page inspector: the elements of the page one browser window shows,
// narrowed by the filter panel. Its opener binds it with SetIeWnd and shows
// it modally; hiding it ends that show.
class frmPageInfo : public QDialog
{
    Q_OBJECT

public:
    // The page it binds keeps its remembered search positions in rSettings
    // and reports through rUi.
    frmPageInfo(stores::ProgramSettings &rSettings, ui::UiServices &rUi, QWidget *parent = nullptr);
    ~frmPageInfo() override;

    // Whether the page could be bound shows at the first refresh.
    void SetIeWnd(const automation::ObjectPtr &rIe);

    // Lists the page's elements that pass the filter panel as placeholder
    // rows; vForce lists a page that is still loading.
    void UpdateItemList(bool vForce);
    // What tmrUpdate runs: watches the page and fills placeholder rows, the
    // visible ones first and one more each step.
    void tmrUpdate_Timer();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void buildClient();

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void placeControls();

    void mnuViewToolBar_Click();
    void mnuViewAddress_Click();
    void mnuViewMenu_Click();
    void mnuViewStatus_Click();
    void cmdUpdateItem_Click();
    void cmdCancel_Click();

    void refreshItemList(bool vForce, qint32 hWnd);
    void showPageLoading(const QString &readyState);
    bool isPlaceholderRow(int row) const;
    // Fills the placeholder rows among `rows` with one batched read; false
    // when none was filled.
    bool fillItemRows(const QList<int> &rows);
    bool FillItemRow(int row);
    void setStatus(const QString &text);

    // A browser that goes away under a call is reported, not left to end
    // the program.
    void reportingFailures(const std::function<void()> &call);

    stores::ProgramSettings &mSettings;
    ui::UiServices &mUi;
    std::unique_ptr<CWebPageHV> mWebPage;
    bool mFirstActivate = false;
    // The element list: rows 1 to mItemCount; the fill goes on after
    // mFillRow, and mFillCount rows have been filled since the refresh.
    // Counts and rows are item numbers' width (ItemNo), not 16 bits.
    qint32 mItemCount = 0;
    qint32 mFillRow = 0;
    qint32 mFillCount = 0;
    bool mFillEnd = false;
    // A message box inside a step runs the event loop, whose timer must not
    // start a second step on rows the first one is filling.
    bool mInTimerStep = false;

    QWidget *mClient = nullptr;
    shared::ListGrid *fgItem = nullptr;
    inspector::FilterPanel *fraFilter = nullptr;
    QPushButton *cmdUpdateItem = nullptr;
    QPushButton *cmdCancel = nullptr;
    QAction *mnuViewToolBar = nullptr;
    QAction *mnuViewAddress = nullptr;
    QAction *mnuViewMenu = nullptr;
    QAction *mnuViewStatus = nullptr;
    QLabel *mStatusPanel = nullptr;
    QTimer *tmrUpdate = nullptr;
};
