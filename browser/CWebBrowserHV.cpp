#include "browser/CWebBrowserHV.h"

#include "browser/Int16.h"
#include "platform/automation/Absorb.h"
#include "platform/automation/BrowserTests.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::BrowserPtr;
using automation::ObjectPtr;

CWebBrowserHV::CWebBrowserHV(std::shared_ptr<automation::ShellWindows> shellWindows, browser::PauseClock clock)
    : mShellWindows(std::move(shellWindows))
    , mReadyStateName{u"準備中"_s, u"読込中"_s, u"読込完"_s, u"表示中"_s, u"完了"_s}
    , mClock(std::move(clock))
{
    if (!mShellWindows)
        throw AutomationError::objectNotSet(u"CWebBrowserHV"_s);
}

BrowserPtr CWebBrowserHV::Windows(qint16 vNo)
{
    if (vNo < 0 || vNo >= mShellWindows->count())
        return nullptr;
    return mShellWindows->item(vNo);
}

qint16 CWebBrowserHV::WindowCount()
{
    return browser::toInt16(mShellWindows->count(), u"WindowCount"_s);
}

bool CWebBrowserHV::SetIe(const ObjectPtr &rObjIE)
{
    BrowserPtr page = automation::asWebPage(rObjIE);
    if (!page)
        return false;
    mIE = std::move(page);
    return true;
}

BrowserPtr CWebBrowserHV::CheckIE(const ObjectPtr &rIe) const
{
    BrowserPtr ie = automation::asBrowser(rIe);
    return ie ? ie : mIE;
}

qint16 CWebBrowserHV::GetWebPageCount()
{
    qint32 pages = 0;
    findWindow([&](const BrowserPtr &window) {
        pages += IsWebPage(window) ? 1 : 0;
        return false;
    });
    return browser::toInt16(pages, u"GetWebPageCount"_s);
}

bool CWebBrowserHV::IsIE(const ObjectPtr &rObj) const
{
    return automation::asBrowser(rObj) != nullptr;
}

bool CWebBrowserHV::IsWebPage(const ObjectPtr &rIe) const
{
    return automation::asWebPage(rIe) != nullptr;
}

qint32 CWebBrowserHV::GetIE_hWnd(const ObjectPtr &rObj) const
{
    const BrowserPtr ie = automation::asBrowser(rObj);
    if (!ie)
        return 0;
    return automation::absorbed(0, [&] { return ie->hwnd(); });
}

void CWebBrowserHV::Wait(float NumSecond) const
{
    browser::pause(NumSecond, mClock);
}

BrowserPtr CWebBrowserHV::GetObjectIE(qint32 hWnd)
{
    return findWindow([&](const BrowserPtr &window) { return window->hwnd() == hWnd; });
}

BrowserPtr CWebBrowserHV::GetInternetExplorer(qint16 vNo)
{
    if (vNo < 1 || vNo > GetWebPageCount())
        return nullptr;
    qint16 passed = 0;
    return findWindow([&](const BrowserPtr &window) {
        if (!IsWebPage(window))
            return false;
        window->setVisible(true);
        return ++passed == vNo;
    });
}

BrowserPtr CWebBrowserHV::GetIE(qint32 &hWnd)
{
    if (hWnd == 0)
        hWnd = mBasePage_hWnd;
    return findWindow([&](const BrowserPtr &window) { return isWebPageWithHandle(window, hWnd); });
}

automation::DocumentPtr CWebBrowserHV::GetDoc()
{
    const BrowserPtr ie = automation::asBrowser(mIE);
    return ie ? ie->document() : nullptr;
}

bool CWebBrowserHV::isWebPageWithHandle(const BrowserPtr &window, qint32 hWnd) const
{
    return hWnd != 0 && GetIE_hWnd(window) == hWnd && IsWebPage(window);
}

BrowserPtr CWebBrowserHV::findWindow(const std::function<bool(const BrowserPtr &)> &visit)
{
    const qint32 count = mShellWindows->count();
    for (qint32 index = 0; index < count; ++index) {
        // A window that closed during the walk leaves a gap at the end.
        BrowserPtr window = mShellWindows->item(index);
        if (window && visit(window))
            return window;
    }
    return nullptr;
}

automation::Browser &CWebBrowserHV::current() const
{
    if (!mIE)
        throw AutomationError::objectNotSet(u"CWebBrowserHV"_s);
    return *mIE;
}
