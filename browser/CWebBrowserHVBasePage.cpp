#include "browser/CWebBrowserHV.h"

#include "platform/automation/Absorb.h"

using automation::BrowserPtr;
using automation::ObjectPtr;

bool CWebBrowserHV::IsBasePage()
{
    return automation::absorbed(false, [&] {
        const qint32 count = mShellWindows->count();
        for (qint32 index = 0; index < count; ++index) {
            const bool found = automation::absorbed(false, [&] {
                return isWebPageWithHandle(mShellWindows->item(index), mBasePage_hWnd);
            });
            if (found)
                return true;
        }
        return false;
    });
}

void CWebBrowserHV::CreateBasePage(qint16 vToolBar)
{
    // Each step stands alone: one that fails leaves the next to run, on
    // the previous current browser if no new one could be started.
    automation::ignoringFailure([&] { mIE = mShellWindows->createBrowser(); });
    automation::ignoringFailure([&] { current().setVisible(true); });
    automation::ignoringFailure([&] { current().goHome(); });
    if (vToolBar != -1)
        automation::ignoringFailure([&] { current().setToolBar(vToolBar == 1 ? 1 : 0); });
    automation::ignoringFailure([&] { mBasePage_hWnd = current().hwnd(); });
}

void CWebBrowserHV::OpenBasePage(const QString &vUrl, qint16 vToolBar)
{
    if (!IsBasePage())
        CreateBasePage(vToolBar);
    automation::ignoringFailure([&] {
        if (vUrl.isEmpty())
            current().goHome();
        else
            current().navigate(vUrl);
    });
    constexpr int polls = 60;
    for (int poll = 0; poll < polls; ++poll) {
        Wait(0.1f);
        if (GetReadyStatus(nullptr) == automation::ReadyState::Complete)
            return;
    }
}

qint32 CWebBrowserHV::GetHandleBasePage() const
{
    return mBasePage_hWnd;
}

void CWebBrowserHV::ActiveBasePage()
{
    if (mBasePage_hWnd == 0)
        return;
    automation::ignoringFailure([&] {
        if (const BrowserPtr window = GetObjectIE(mBasePage_hWnd))
            window->bringToFront();
    });
}

void CWebBrowserHV::SetPosBasePage(qint32 vLeft, qint32 vTop, qint32 vWidth, qint32 vHeight)
{
    if (!IsBasePage())
        return;
    automation::Browser &ie = current();
    ie.setLeft(vLeft);
    ie.setTop(vTop);
    ie.setWidth(vWidth);
    ie.setHeight(vHeight);
}

void CWebBrowserHV::CloseWebPage(qint16 vSW, const ObjectPtr &rIe)
{
    enum Mode : qint16 { This = 0, AllOthers = 1, All = 2 };
    const BrowserPtr reference = CheckIE(rIe);
    // Handles are read anew for each window; one that was not read (0)
    // names no window, the reference's included.
    const auto isReference = [&](const BrowserPtr &window) {
        const qint32 hWnd = GetIE_hWnd(window);
        return hWnd != 0 && hWnd == GetIE_hWnd(reference);
    };
    // Downwards, so the positions still to come stay valid as windows close.
    for (qint32 index = mShellWindows->count() - 1; index >= 0; --index) {
        const BrowserPtr window = mShellWindows->item(index);
        if (!IsWebPage(window))
            continue;
        switch (vSW) {
        case This:
            if (isReference(window)) {
                QuitIE(*window);
                return;
            }
            break;
        case AllOthers:
            if (!isReference(window))
                QuitIE(*window);
            break;
        case All:
            QuitIE(*window);
            browser::pause(1.0f, mClock);
            break;
        default:
            break;
        }
    }
}

void CWebBrowserHV::QuitIE(automation::Browser &rIe)
{
    automation::ignoringFailure([&] { rIe.stop(); });
    automation::ignoringFailure([&] { rIe.quit(); });
}
