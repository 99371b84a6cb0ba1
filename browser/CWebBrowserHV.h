#pragma once

#include "browser/Pause.h"
#include "platform/automation/Automation.h"

#include <QString>

#include <array>
#include <functional>

// The one gateway to the open browser windows. It keeps no list of its own:
// each question walks the live shell window collection again. Windows are
// known between calls by their handle; `mIE` is the browser being worked on.
//
// Tests and read-outs absorb automation failures into a neutral result;
// writes and walks of the collection let automation::AutomationError out.
class CWebBrowserHV
{
public:
    // Throws ObjectNotSet without a collection.
    explicit CWebBrowserHV(std::shared_ptr<automation::ShellWindows> shellWindows,
                           browser::PauseClock clock = browser::PauseClock::system());

    // Window access
    automation::BrowserPtr Windows(qint16 vNo);
    qint16 WindowCount();
    bool SetIe(const automation::ObjectPtr &rObjIE);
    automation::BrowserPtr CheckIE(const automation::ObjectPtr &rIe) const;
    qint16 GetWebPageCount();
    bool IsIE(const automation::ObjectPtr &rObj) const;
    bool IsWebPage(const automation::ObjectPtr &rIe) const;
    qint32 GetIE_hWnd(const automation::ObjectPtr &rObj) const;
    void Wait(float NumSecond) const;
    automation::BrowserPtr GetObjectIE(qint32 hWnd);
    automation::BrowserPtr GetInternetExplorer(qint16 vNo);
    automation::BrowserPtr GetIE(qint32 &hWnd);
    automation::DocumentPtr GetDoc();

    // Status and window chrome
    qint32 GetReadyStatus(const automation::ObjectPtr &rIe) const;
    QString GetReadyStateStr(const automation::ObjectPtr &rIe) const;
    // The name shown for a ready state, for display only.
    QString ReadyStateName(qint32 state) const;
    QString GetIE_URL(const automation::ObjectPtr &rIe) const;
    QString GetWebPageTitle(const automation::ObjectPtr &rIe) const;
    QString GetStatusText() const;
    void SetSize(qint16 vLeft, qint16 vTop, qint16 vWidth, qint16 vHeight);
    void GetSize(qint16 &rLeft, qint16 &rTop, qint16 &rWidth, qint16 &rHeight);
    void ViewToolBar(bool vFlag);
    void ViewAddressBar(bool vFlag);
    void ViewMenuBar(bool vFlag);
    void ViewStatusBar(bool vFlag);

    // Base page and closing pages
    bool IsBasePage();
    void CreateBasePage(qint16 vToolBar);
    void OpenBasePage(const QString &vUrl, qint16 vToolBar);
    qint32 GetHandleBasePage() const;
    void ActiveBasePage();
    void SetPosBasePage(qint32 vLeft, qint32 vTop, qint32 vWidth, qint32 vHeight);
    void CloseWebPage(qint16 vSW, const automation::ObjectPtr &rIe);

private:
    void QuitIE(automation::Browser &rIe);
    // The object as a browser, or null when it is none.
    // A web page showing in the window with that handle. A handle that was
    // not read (0) names no window.
    bool isWebPageWithHandle(const automation::BrowserPtr &window, qint32 hWnd) const;
    // Each window in collection order until `visit` returns true; that
    // window is the result.
    automation::BrowserPtr findWindow(const std::function<bool(const automation::BrowserPtr &)> &visit);
    // The current browser to act on; ObjectNotSet when there is none.
    automation::Browser &current() const;

    // Declared first so that it is released last.
    std::shared_ptr<automation::ShellWindows> mShellWindows;
    automation::BrowserPtr mIE;
    std::array<QString, automation::ReadyState::Complete + 1> mReadyStateName; // by ReadyState
    qint32 mBasePage_hWnd = 0;
    browser::PauseClock mClock;
};
