#include "tests/support/automation_double/BrowserDouble.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

BrowserDouble::BrowserDouble(qint32 hwnd, const QString &url, QString homePage,
                             std::function<void(const BrowserDouble *)> onClosed)
    : Scripted(std::make_shared<Lifetime>())
    , m_homePage(std::move(homePage))
    , m_onClosed(std::move(onClosed))
{
    m_state.hwnd = hwnd;
    show(url);
}

template<typename T>
T BrowserDouble::read(const QString &member, const T &value) const
{
    enter(member);
    return value;
}

template<typename T>
void BrowserDouble::write(const QString &member, T &field, const T &value)
{
    enterPut(member, QVariant::fromValue(value));
    field = value;
}

QString BrowserDouble::typeName() const { return read(u"typeName"_s, kBrowserTypeName); }
QString BrowserDouble::locationURL() { return read(u"LocationURL"_s, m_state.url); }
QString BrowserDouble::locationName() { return read(u"LocationName"_s, m_state.title); }
qint32 BrowserDouble::hwnd() { return read(u"HWND"_s, m_state.hwnd); }
qint32 BrowserDouble::readyState() { return read(u"ReadyState"_s, m_state.readyState); }
bool BrowserDouble::busy() { return read(u"Busy"_s, m_state.busy); }
QString BrowserDouble::statusText() { return read(u"StatusText"_s, m_state.statusText); }
QString BrowserDouble::dialogText() { return read(u"DialogText"_s, m_state.dialogText); }

DocumentPtr BrowserDouble::document()
{
    enter(u"Document"_s);
    return m_document;
}

qint32 BrowserDouble::left() { return read(u"Left"_s, m_state.left); }
qint32 BrowserDouble::top() { return read(u"Top"_s, m_state.top); }
qint32 BrowserDouble::width() { return read(u"Width"_s, m_state.width); }
qint32 BrowserDouble::height() { return read(u"Height"_s, m_state.height); }
void BrowserDouble::setLeft(qint32 value) { write(u"Left"_s, m_state.left, value); }
void BrowserDouble::setTop(qint32 value) { write(u"Top"_s, m_state.top, value); }
void BrowserDouble::setWidth(qint32 value) { write(u"Width"_s, m_state.width, value); }
void BrowserDouble::setHeight(qint32 value) { write(u"Height"_s, m_state.height, value); }

bool BrowserDouble::visible() { return read(u"Visible"_s, m_state.visible); }
void BrowserDouble::setVisible(bool value) { write(u"Visible"_s, m_state.visible, value); }
qint32 BrowserDouble::toolBar() { return read(u"ToolBar"_s, m_state.toolBar); }
void BrowserDouble::setToolBar(qint32 value) { write(u"ToolBar"_s, m_state.toolBar, value); }
bool BrowserDouble::addressBar() { return read(u"AddressBar"_s, m_state.addressBar); }
void BrowserDouble::setAddressBar(bool value) { write(u"AddressBar"_s, m_state.addressBar, value); }
bool BrowserDouble::menuBar() { return read(u"MenuBar"_s, m_state.menuBar); }
void BrowserDouble::setMenuBar(bool value) { write(u"MenuBar"_s, m_state.menuBar, value); }
bool BrowserDouble::statusBar() { return read(u"StatusBar"_s, m_state.statusBar); }
void BrowserDouble::setStatusBar(bool value) { write(u"StatusBar"_s, m_state.statusBar, value); }

void BrowserDouble::stop()
{
    enter(u"Stop"_s);
    m_state.busy = false;
}

void BrowserDouble::quit()
{
    enter(u"Quit"_s);
    close();
}

void BrowserDouble::goHome()
{
    enter(u"GoHome"_s);
    show(m_homePage);
}

void BrowserDouble::navigate(const QString &url)
{
    enterPut(u"Navigate"_s, url);
    show(url);
}

void BrowserDouble::restoreWindow() { enter(u"restoreWindow"_s); }
void BrowserDouble::bringToFront() { enter(u"bringToFront"_s); }

void BrowserDouble::show(const QString &url)
{
    if (m_pageLife)
        m_pageLife->endedWith = AutomationError::PermissionDenied;
    m_pageLife = std::make_shared<Lifetime>();
    m_document = std::make_shared<DocumentDouble>(m_pageLife);
    m_state.url = url;
    m_state.title = url;
    m_state.readyState = automation::ReadyState::Complete;
    m_state.busy = false;
}

void BrowserDouble::close()
{
    if (isClosed())
        return;
    // Leaving the collection may drop the last other owner.
    const auto self = shared_from_this();
    life()->endedWith = AutomationError::ServerUnavailable;
    m_pageLife->endedWith = AutomationError::ServerUnavailable;
    m_onClosed(this);
}

} // namespace automation::doubles
