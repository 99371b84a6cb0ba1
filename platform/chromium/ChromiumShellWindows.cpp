#include "platform/chromium/ChromiumShellWindows.h"

#include "platform/chromium/CdpError.h"
#include "platform/chromium/ChromiumBrowser.h"

#include <algorithm>
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

const std::vector<ChromiumShellWindows::Entry> &ChromiumShellWindows::entries()
{
    std::vector<QList<TabPtr>> listed;
    listed.reserve(m_endpoints.size());
    std::optional<AutomationError> firstFailure;
    bool anyAnswered = false;
    for (const auto &endpoint : m_endpoints) {
        try {
            listed.push_back(endpoint->tabs());
            anyAnswered = true;
        } catch (const AutomationError &e) {
            listed.emplace_back();
            if (!firstFailure)
                firstFailure = e;
        }
    }
    if (!anyAnswered && firstFailure)
        throw *firstFailure;
    // The endpoint hands out its own list, shared until it changes.
    const bool unchanged = listed.size() == m_listed.size()
                           && std::equal(listed.cbegin(), listed.cend(), m_listed.cbegin(),
                                         [](const QList<TabPtr> &now, const QList<TabPtr> &before) {
                                             return now.isSharedWith(before) || (now.isEmpty() && before.isEmpty());
                                         });
    if (!unchanged) {
        m_entries.clear();
        for (size_t i = 0; i < listed.size(); ++i) {
            for (const TabPtr &tab : std::as_const(listed[i]))
                m_entries.push_back({m_endpoints[i], tab});
        }
        m_listed = std::move(listed);
    }
    return m_entries;
}

qint32 ChromiumShellWindows::count()
{
    return qint32(entries().size());
}

automation::BrowserPtr ChromiumShellWindows::item(qint32 index)
{
    const std::vector<Entry> &all = entries();
    if (index < 0 || size_t(index) >= all.size())
        return nullptr;
    return std::make_shared<ChromiumBrowser>(all[size_t(index)].endpoint, all[size_t(index)].tab);
}

automation::BrowserPtr ChromiumShellWindows::createBrowser()
{
    if (m_endpoints.empty())
        throw AutomationError::serverUnavailable(errorSource(), u"no browser is configured"_s);
    const auto &endpoint = m_endpoints.front();
    return std::make_shared<ChromiumBrowser>(endpoint, endpoint->createTab(u"about:blank"_s));
}

} // namespace chromium
