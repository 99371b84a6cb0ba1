#pragma once

#include "platform/automation/Automation.h"
#include "windows/shared/CellButtonImages.h"

#include <QMainWindow>

#include <functional>
#include <memory>

struct SettingsVariables;
class QHelpEvent;
class QKeyEvent;
class QLabel;
class QTimer;
class QToolBar;

namespace shared {
class ListGrid;
class MainFormParts;
} // namespace shared

// Gives the shell window collection that a new gateway walks.
using ShellWindowsFactory = std::function<std::shared_ptr<automation::ShellWindows>()>;

// The browser list: one row for every browser window that shows a web
// page, re-read five times a second. Closing it ends the program.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // Builds and loads the window without showing it; creates gWebBrowser
    // over a collection from newShellWindows. Closing the window copies the
    // current browser's bounds into rSettings and saves them.
    frmMain(ShellWindowsFactory newShellWindows, SettingsVariables &rSettings, QWidget *parent = nullptr);
    ~frmMain() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();

    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload();
    void Form_Unload();
    void unloadOtherWindows();

    void tbToolBar_ButtonClick(const QString &key);
    void mnuFileExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();

    void watchGrid();
    void fgIeList_BeforeMouseDown(const QPoint &pos);
    // Enter or Space on a row presses its "詳細", for keyboard users.
    bool fgIeList_KeyDown(const QKeyEvent &event);
    void pressDetail(int row, int col);
    void showInspector(const automation::BrowserPtr &ie);
    void fgIeList_ToolTip(const QHelpEvent &event);

    void tmrUpdate_Timer();

    ShellWindowsFactory mNewShellWindows;
    SettingsVariables &mSettings;
    shared::CellButtonImages picGridCell;
    shared::ListGrid *fgIeList = nullptr;
    QToolBar *tbToolBar = nullptr;
    QLabel *mStatusPanel = nullptr;
    QTimer *tmrUpdate = nullptr;
    std::unique_ptr<shared::MainFormParts> mParts;
    // Set while no browser answers: the status panel says so until one does.
    bool mNoBrowser = false;
    // A browser that went away may come back listening elsewhere, so the
    // next walk starts from a new collection.
    bool mRenewGateway = false;
};
