#include "browser/CWebBrowserHV.h"

#include "browser/Int16.h"
#include "platform/automation/Absorb.h"
#include "platform/automation/BrowserTests.h"

using namespace Qt::StringLiterals;
using automation::BrowserPtr;
using automation::ObjectPtr;

qint32 CWebBrowserHV::GetReadyStatus(const ObjectPtr &rIe) const
{
    constexpr qint32 unknown = automation::ReadyState::Uninitialized;
    const BrowserPtr ie = CheckIE(rIe);
    if (!ie)
        return unknown;
    return automation::absorbed(unknown, [&] { return ie->readyState(); });
}

QString CWebBrowserHV::GetReadyStateStr(const ObjectPtr &rIe) const
{
    return ReadyStateName(GetReadyStatus(rIe));
}

QString CWebBrowserHV::ReadyStateName(qint32 state) const
{
    if (state == -1)
        return u"取得不可"_s;
    if (state < 0 || state >= qint32(mReadyStateName.size()))
        return u"未定義"_s;
    return mReadyStateName[size_t(state)];
}

QString CWebBrowserHV::GetIE_URL(const ObjectPtr &rIe) const
{
    const BrowserPtr page = automation::asWebPage(rIe);
    if (!page)
        return {};
    return automation::absorbed(QString(), [&] { return page->locationURL(); });
}

QString CWebBrowserHV::GetWebPageTitle(const ObjectPtr &rIe) const
{
    const BrowserPtr page = automation::asWebPage(CheckIE(rIe));
    if (!page)
        return {};
    return automation::absorbed(QString(), [&] { return page->locationName(); });
}

QString CWebBrowserHV::GetStatusText() const
{
    return automation::absorbed(QString(), [&] { return current().statusText(); });
}

void CWebBrowserHV::SetSize(qint16 vLeft, qint16 vTop, qint16 vWidth, qint16 vHeight)
{
    const BrowserPtr ie = automation::asBrowser(mIE);
    if (!ie)
        return;
    ie->setLeft(vLeft);
    ie->setTop(vTop);
    ie->setWidth(vWidth);
    ie->setHeight(vHeight);
}

void CWebBrowserHV::GetSize(qint16 &rLeft, qint16 &rTop, qint16 &rWidth, qint16 &rHeight)
{
    const BrowserPtr ie = automation::asBrowser(mIE);
    if (!ie)
        return;
    // All four or none, so the caller never keeps half of a new rectangle.
    const qint16 left = browser::toInt16(ie->left(), u"Left"_s);
    const qint16 top = browser::toInt16(ie->top(), u"Top"_s);
    const qint16 width = browser::toInt16(ie->width(), u"Width"_s);
    const qint16 height = browser::toInt16(ie->height(), u"Height"_s);
    rLeft = left;
    rTop = top;
    rWidth = width;
    rHeight = height;
}

void CWebBrowserHV::ViewToolBar(bool vFlag)
{
    automation::ignoringFailure([&] { current().setToolBar(vFlag ? 1 : 0); });
}

void CWebBrowserHV::ViewAddressBar(bool vFlag)
{
    current().setAddressBar(vFlag);
}

void CWebBrowserHV::ViewMenuBar(bool vFlag)
{
    current().setMenuBar(vFlag);
}

void CWebBrowserHV::ViewStatusBar(bool vFlag)
{
    current().setStatusBar(vFlag);
}
