#include "windows/inspector/frmPageInfo.h"

#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/automation/Absorb.h"
#include "platform/automation/AutomationError.h"
#include "platform/stores/ApplicationTitle.h"
#include "platform/ui/UiServices.h"
#include "windows/inspector/FilterPanel.h"
#include "windows/main/MainGlobals.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

void frmPageInfo::buildMenus()
{
    auto *menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);

    QAction *mnuClose = menuBar->addAction(u"閉じる(&C)"_s);
    mnuClose->setObjectName(u"mnuClose"_s);
    connect(mnuClose, &QAction::triggered, this, &frmPageInfo::cmdCancel_Click);

    QMenu *mnuView = menuBar->addMenu(u"表示(&V)"_s);
    mnuView->setObjectName(u"mnuView"_s);
    const auto toggle = [&](const QString &name, const QString &caption, void (frmPageInfo::*click)()) {
        QAction *item = mnuView->addAction(caption);
        item->setObjectName(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, click);
        return item;
    };
    mnuViewToolBar = toggle(u"mnuViewToolBar"_s, u"ツールバー(&T)"_s, &frmPageInfo::mnuViewToolBar_Click);
    mnuViewAddress = toggle(u"mnuViewAddress"_s, u"アドレスバー(&A)"_s, &frmPageInfo::mnuViewAddress_Click);
    mnuViewMenu = toggle(u"mnuViewMenu"_s, u"メニューバー(&M)"_s, &frmPageInfo::mnuViewMenu_Click);
    mnuViewStatus = toggle(u"mnuViewStatus"_s, u"ステータスバー(&S)"_s, &frmPageInfo::mnuViewStatus_Click);

    // The grid's pop-up never shows in the menu bar.
    mnuGrid01 = new QMenu(u"GridMenu01"_s, this);
    mnuGrid01->setObjectName(u"mnuGrid01"_s);
    mnuGrid01->menuAction()->setVisible(false);
    QAction *mnuGrid01_Copy = mnuGrid01->addAction(u"コピー(&C)"_s);
    mnuGrid01_Copy->setObjectName(u"mnuGrid01_Copy"_s);
    connect(mnuGrid01_Copy, &QAction::triggered, this, &frmPageInfo::mnuGrid01_Copy_Click);
}

void frmPageInfo::Form_Activate()
{
    if (!mFirstActivate)
        return;
    mFirstActivate = false;

    qint32 hWnd = mWebPage ? mWebPage->GetIE_hWnd() : 0;
    // Handle 0 would find the base page, which is not the one inspected.
    if (hWnd != 0 && gWebBrowser) {
        reportingFailures([&] {
            const automation::BrowserPtr ie = gWebBrowser->GetIE(hWnd);
            if (!ie)
                return;
            // Should the page have left the web meanwhile, the gateway keeps
            // another browser current, whose bar is not ours to switch off.
            if (gWebBrowser->SetIe(ie))
                gWebBrowser->ViewToolBar(false);
            mnuViewToolBar->setChecked(false);
            automation::ignoringFailure([&] { mnuViewAddress->setChecked(ie->addressBar()); });
            mnuViewMenu->setChecked(ie->menuBar());
            mnuViewStatus->setChecked(ie->statusBar());
        });
    }
    cmdUpdateItem_Click();
}

// Each toggle's action has already flipped its check when it triggers, so
// the check is the new state, and it stands even if the browser call fails.
void frmPageInfo::mnuViewToolBar_Click()
{
    const bool newState = mnuViewToolBar->isChecked();
    mnuViewAddress->setChecked(newState);
    reportingFailures([&] { gWebBrowser->ViewToolBar(newState); });
    mnuViewMenu->setEnabled(newState);
}

void frmPageInfo::mnuViewAddress_Click()
{
    const bool newState = mnuViewAddress->isChecked();
    reportingFailures([&] { gWebBrowser->ViewAddressBar(newState); });
}

void frmPageInfo::mnuViewMenu_Click()
{
    const bool newState = mnuViewMenu->isChecked();
    reportingFailures([&] { gWebBrowser->ViewMenuBar(newState); });
}

void frmPageInfo::mnuViewStatus_Click()
{
    const bool newState = mnuViewStatus->isChecked();
    reportingFailures([&] { gWebBrowser->ViewStatusBar(newState); });
}

// Hiding ends the opener's modal show; the opener unloads the window.
void frmPageInfo::cmdCancel_Click()
{
    hide();
}

void frmPageInfo::reportingFailures(const std::function<void()> &call)
{
    // The gateway is gone once the main window is closing.
    if (!gWebBrowser)
        return;
    try {
        call();
    } catch (const automation::AutomationError &e) {
        mUi.messageBox(u"実行時エラー '"_s + QString::number(e.number()) + u"':\n\n"_s + e.description(),
                       kApplicationTitle, ui::MessageIcon::Critical, ui::MessageButtons::Ok);
    }
}
