#include "tests/support/automation_double/ShellWindowsDouble.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

ShellWindowsDouble::ShellWindowsDouble(QString homePage)
    : Scripted(std::make_shared<Lifetime>())
    , m_homePage(std::move(homePage))
    , m_windows(std::make_shared<QList<std::shared_ptr<BrowserDouble>>>())
{
}

QString ShellWindowsDouble::typeName() const
{
    enter(u"typeName"_s);
    return u"IShellWindows"_s;
}

qint32 ShellWindowsDouble::count()
{
    enter(u"Count"_s);
    return m_reportedCount.value_or(qint32(m_windows->size()));
}

BrowserPtr ShellWindowsDouble::item(qint32 index)
{
    enter(u"Item"_s);
    if (index < 0 || index >= m_windows->size())
        return nullptr;
    return m_windows->at(index);
}

BrowserPtr ShellWindowsDouble::createBrowser()
{
    enter(u"createBrowser"_s);
    return open(u"about:blank"_s);
}

std::shared_ptr<BrowserDouble> ShellWindowsDouble::open(const QString &url, qint32 hwnd)
{
    if (hwnd == 0) {
        hwnd = m_nextHwnd;
        m_nextHwnd += 0x10;
    }
    // The window may outlive this collection; it then has nothing to leave.
    std::weak_ptr<QList<std::shared_ptr<BrowserDouble>>> windows = m_windows;
    auto browser = std::make_shared<BrowserDouble>(hwnd, url, m_homePage, [windows](const BrowserDouble *closed) {
        if (const auto list = windows.lock())
            list->removeIf([closed](const auto &window) { return window.get() == closed; });
    });
    m_windows->append(browser);
    return browser;
}

} // namespace automation::doubles
