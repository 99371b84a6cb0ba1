#include "platform/chromium/ChromiumShellWindows.h"

#include "platform/chromium/ChromiumBrowser.h"

#include <optional>

namespace chromium {

using namespace Qt::StringLiterals;
using automation::AutomationError;

ChromiumShellWindows::ChromiumShellWindows(const QList<DevToolsEndpoint> &endpoints, const ChromiumOptions &options)
{
    for (const DevToolsEndpoint &endpoint : endpoints)
        m_endpoints.push_back(std::make_shared<ChromiumEndpoint>(endpoint, options));
}

QString ChromiumShellWindows::typeName() const
{
    return u"IShellWindows"_s;
}

std::vector<ChromiumShellWindows::Entry> ChromiumShellWindows::entries()
{
    std::vector<Entry> all;
    std::optional<AutomationError> firstFailure;
    bool anyAnswered = false;
    for (const auto &endpoint : m_endpoints) {
        try {
            for (const TabPtr &tab : endpoint->tabs())
                all.push_back({endpoint, tab});
            anyAnswered = true;
        } catch (const AutomationError &e) {
            if (!firstFailure)
                firstFailure = e;
        }
    }
    if (!anyAnswered && firstFailure)
        throw *firstFailure;
    return all;
}

qint32 ChromiumShellWindows::count()
{
    return qint32(entries().size());
}

automation::BrowserPtr ChromiumShellWindows::item(qint32 index)
{
    const std::vector<Entry> all = entries();
    if (index < 0 || size_t(index) >= all.size())
        return nullptr;
    return std::make_shared<ChromiumBrowser>(all[size_t(index)].endpoint, all[size_t(index)].tab);
}

automation::BrowserPtr ChromiumShellWindows::createBrowser()
{
    if (m_endpoints.empty())
        throw AutomationError(AutomationError::ServerUnavailable, u"Chromium"_s, u"no browser is configured"_s);
    const auto &endpoint = m_endpoints.front();
    return std::make_shared<ChromiumBrowser>(endpoint, endpoint->createTab(u"about:blank"_s));
}

} // namespace chromium
