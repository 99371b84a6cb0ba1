#include "platform/chromium/ChromiumBrowser.h"

#include "platform/chromium/ChromiumDocument.h"

namespace chromium {

using namespace Qt::StringLiterals;

namespace {
const QString kNormal = u"normal"_s;
const QString kMinimized = u"minimized"_s;
}

ChromiumBrowser::ChromiumBrowser(std::shared_ptr<ChromiumEndpoint> endpoint, TabPtr tab)
    : m_endpoint(std::move(endpoint))
    , m_tab(std::move(tab))
{
}

QString ChromiumBrowser::typeName() const
{
    m_endpoint->info(*m_tab); // a closed tab has no type
    return automation::kBrowserTypeName;
}

QString ChromiumBrowser::locationURL()
{
    return m_endpoint->info(*m_tab).url;
}

QString ChromiumBrowser::locationName()
{
    return m_endpoint->info(*m_tab).title;
}

qint32 ChromiumBrowser::hwnd()
{
    m_endpoint->info(*m_tab);
    return m_tab->handle();
}

qint32 ChromiumBrowser::readyState()
{
    return m_endpoint->settledTab(*m_tab).readyState;
}

bool ChromiumBrowser::busy()
{
    return m_endpoint->settledTab(*m_tab).busy;
}

automation::DocumentPtr ChromiumBrowser::document()
{
    const QString context = m_endpoint->documentContext(*m_tab);
    return std::make_shared<ChromiumDocument>(ChromiumDocumentRef{m_endpoint, m_tab, context});
}

QString ChromiumBrowser::statusText()
{
    // Chromium shows no status text that the protocol could read.
    m_endpoint->info(*m_tab);
    return {};
}

QString ChromiumBrowser::dialogText()
{
    return m_tab->snapshot().dialogMessage;
}

ChromiumBrowser::Window ChromiumBrowser::window()
{
    const QJsonObject reply =
        m_endpoint->browserCall(u"Browser.getWindowForTarget"_s, {{u"targetId"_s, m_tab->targetId()}});
    return {reply.value(u"windowId"_s).toInt(), reply.value(u"bounds"_s).toObject()};
}

void ChromiumBrowser::setWindowState(const Window &window, const QString &state)
{
    m_endpoint->browserCall(u"Browser.setWindowBounds"_s,
                            {{u"windowId"_s, window.id}, {u"bounds"_s, QJsonObject{{u"windowState"_s, state}}}});
}

qint32 ChromiumBrowser::bound(const QString &name)
{
    return window().bounds.value(name).toInt();
}

void ChromiumBrowser::setBound(const QString &name, qint32 value)
{
    const Window current = window();
    // Chromium moves only a window in the normal state.
    if (current.bounds.value(u"windowState"_s).toString() != kNormal)
        setWindowState(current, kNormal);
    m_endpoint->browserCall(u"Browser.setWindowBounds"_s,
                            {{u"windowId"_s, current.id}, {u"bounds"_s, QJsonObject{{name, value}}}});
}

qint32 ChromiumBrowser::left() { return bound(u"left"_s); }
qint32 ChromiumBrowser::top() { return bound(u"top"_s); }
qint32 ChromiumBrowser::width() { return bound(u"width"_s); }
qint32 ChromiumBrowser::height() { return bound(u"height"_s); }
void ChromiumBrowser::setLeft(qint32 value) { setBound(u"left"_s, value); }
void ChromiumBrowser::setTop(qint32 value) { setBound(u"top"_s, value); }
void ChromiumBrowser::setWidth(qint32 value) { setBound(u"width"_s, value); }
void ChromiumBrowser::setHeight(qint32 value) { setBound(u"height"_s, value); }

bool ChromiumBrowser::visible()
{
    return window().bounds.value(u"windowState"_s).toString() != kMinimized;
}

void ChromiumBrowser::setVisible(bool value)
{
    const Window current = window();
    const bool minimized = current.bounds.value(u"windowState"_s).toString() == kMinimized;
    if (value == minimized)
        setWindowState(current, value ? kNormal : kMinimized);
}

ChromiumTab::Bars ChromiumBrowser::liveBars()
{
    m_endpoint->info(*m_tab);
    return m_tab->bars();
}

qint32 ChromiumBrowser::toolBar() { return liveBars().toolBar; }
bool ChromiumBrowser::addressBar() { return liveBars().addressBar; }
bool ChromiumBrowser::menuBar() { return liveBars().menuBar; }
bool ChromiumBrowser::statusBar() { return liveBars().statusBar; }

void ChromiumBrowser::changeBars(const std::function<void(ChromiumTab::Bars &)> &change)
{
    auto bars = liveBars();
    change(bars);
    m_tab->setBars(bars);
}

void ChromiumBrowser::setToolBar(qint32 value) { changeBars([&](auto &bars) { bars.toolBar = value; }); }
void ChromiumBrowser::setAddressBar(bool value) { changeBars([&](auto &bars) { bars.addressBar = value; }); }
void ChromiumBrowser::setMenuBar(bool value) { changeBars([&](auto &bars) { bars.menuBar = value; }); }
void ChromiumBrowser::setStatusBar(bool value) { changeBars([&](auto &bars) { bars.statusBar = value; }); }

void ChromiumBrowser::stop()
{
    m_endpoint->sessionCall(*m_tab, u"Page.stopLoading"_s);
}

void ChromiumBrowser::quit()
{
    m_endpoint->closeTab(*m_tab);
}

void ChromiumBrowser::goHome()
{
    navigate(m_endpoint->options().homePage);
}

void ChromiumBrowser::navigate(const QString &url)
{
    m_endpoint->navigate(*m_tab, url);
}

void ChromiumBrowser::restoreWindow()
{
    const Window current = window();
    if (current.bounds.value(u"windowState"_s).toString() == kMinimized)
        setWindowState(current, kNormal);
}

void ChromiumBrowser::bringToFront()
{
    m_endpoint->browserCall(u"Target.activateTarget"_s, {{u"targetId"_s, m_tab->targetId()}});
}

} // namespace chromium
