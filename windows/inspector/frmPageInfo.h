#pragma once

#include "platform/automation/Automation.h"

#include <QDialog>
#include <QList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class CWebPageHV;
struct PageCheck;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QPushButton;
class QTimer;

namespace inspector {
class FilterPanel;
class ItemListFill;
class ItemListModel;
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
    // visible ones first and as many more each step as the browser and the
    // window keep up with. A step sends one read and takes its answer at
    // once when the browser is quick, else at a later step: the window is
    // never kept waiting on a slow page.
    void tmrUpdate_Timer();

    // Hiding keeps the window's place for the next inspector.
    void setVisible(bool visible) override;

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

    // The element grid's own mouse, key and edit handling; true when the
    // event was the grid's to take.
    void watchGrid();
    bool fgItem_Event(QObject *watched, QEvent *event);
    bool fgItem_MouseDown(const QMouseEvent &event);
    void fgItem_DblClick(const QPoint &pos);
    bool fgItem_KeyDown(const QKeyEvent &event);
    void fgItem_AfterEdit(int row, int col);
    void clickRowItem();
    void focusRowElement();
    // The row's element as the page finds it: by its id, else by its name.
    QString rowElementName(int row) const;
    bool isValueEditable(int row, int col) const;
    void editValueCell();
    void showGridMenu(const QPoint &globalPos);
    void mnuGrid01_Copy_Click();
    // The item number travels with its row as column 1's cell data.
    qint32 rowItemNo(int row) const;

    void refreshItemList(bool vForce, qint32 hWnd);
    void showPageLoading(const QString &readyState);
    // A fill step for rows that came into view, between the ticks.
    void fillRowsInView();
    // One step of the fill; the window waits up to `patience` for the browser.
    void fillStep(std::chrono::milliseconds patience);
    void setStatus(const QString &text);
    // Says in the status that the browser does not answer, and puts back what
    // it said before once the browser answers again.
    void showWhetherAnswering(const PageCheck &check);

    // A browser that goes away under a call is reported, not left to end
    // the program.
    void reportingFailures(const std::function<void()> &call);

    stores::ProgramSettings &mSettings;
    ui::UiServices &mUi;
    std::unique_ptr<CWebPageHV> mWebPage;
    bool mFirstActivate = false;
    inspector::ItemListModel *mItems = nullptr;
    std::unique_ptr<inspector::ItemListFill> mFill;
    bool mFillEnd = true;
    // A message box inside a step or a refresh runs the event loop, whose
    // timer (or a scroll) must not start a step on rows being built or filled.
    bool mListBusy = false;
    // Set while the browser does not answer: what the status said before.
    std::optional<QString> mStatusBeforeNoAnswer;

    QWidget *mClient = nullptr;
    shared::ListGrid *fgItem = nullptr;
    inspector::FilterPanel *fraFilter = nullptr;
    QPushButton *cmdUpdateItem = nullptr;
    QPushButton *cmdCancel = nullptr;
    QAction *mnuViewToolBar = nullptr;
    QAction *mnuViewAddress = nullptr;
    QAction *mnuViewMenu = nullptr;
    QAction *mnuViewStatus = nullptr;
    QMenu *mnuGrid01 = nullptr;
    QLabel *mStatusPanel = nullptr;
    QTimer *tmrUpdate = nullptr;
    // Runs fill steps between the ticks while a read is under way.
    QTimer *mFillTimer = nullptr;
};
