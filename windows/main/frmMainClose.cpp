#include "windows/main/frmMain.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/StoreFolder.h"
#include "platform/ui/FormPosition.h"
#include "platform/ui/UiServices.h"
#include "settings/Settings.h"
#include "settings/SettingsVariables.h"
#include "windows/main/MainGlobals.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

// Every close comes here, from the menu, the close box or the system, and
// is never refused.
void frmMain::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void frmMain::Form_QueryUnload()
{
    // Nothing may reach the gateway once it is released.
    tmrUpdate->stop();
    // A window that is not deleted on close can be asked again.
    if (!gWebBrowser)
        return;
    // A browser closing at this very moment leaves the bounds as they were:
    // GetSize gives all four or none.
    try {
        gWebBrowser->GetSize(mSettings.WebPage_Left, mSettings.WebPage_Top, mSettings.WebPage_Width,
                             mSettings.WebPage_Height);
    } catch (const automation::AutomationError &) {
    }
    gWebBrowser.reset();
}

void frmMain::Form_Unload()
{
    const bool settingsSaved = SaveSettings(mSettings);
    unloadOtherWindows();
    const bool placeSaved = SaveFormPosition(*this, u"Main"_s);
    // Said once, at the one moment the user can still hear it.
    if (!settingsSaved || !placeSaved)
        ui::services().messageBox(u"設定を保存できませんでした。保存先: "_s + stores::storeFolder(), kApplicationTitle,
                                  ui::MessageIcon::Warning);
}

// The windows this one owns, the most recently made first; a window may
// take others with it as it closes, so each is looked up again.
void frmMain::unloadOtherWindows()
{
    QList<QPointer<QWidget>> owned;
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            owned.prepend(child);
    }
    for (const QPointer<QWidget> &window : owned) {
        if (window)
            window->close();
    }
}
