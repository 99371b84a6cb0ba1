#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumEndpoint.h"

#include <vector>

namespace chromium {

// The page tabs of one or more Chromium browsers, walked in the order the
// endpoints were given, as one collection.
class ChromiumShellWindows : public automation::ShellWindows
{
public:
    ChromiumShellWindows(const QList<DevToolsEndpoint> &endpoints, const ChromiumOptions &options = {});

    QString typeName() const override;
    qint32 count() override;
    automation::BrowserPtr item(qint32 index) override;
    automation::BrowserPtr createBrowser() override;

private:
    struct Entry
    {
        std::shared_ptr<ChromiumEndpoint> endpoint;
        TabPtr tab;
    };
    // A browser that does not answer is left out while another does; when
    // none answers, the first failure is passed on. One list pass asks for
    // every window by index: while no endpoint's tab list has changed, the
    // entries made for the last call answer, so a pass costs N, not N * N.
    const std::vector<Entry> &entries();

    std::vector<std::shared_ptr<ChromiumEndpoint>> m_endpoints;
    std::vector<QList<TabPtr>> m_listed; // each endpoint's tab list behind m_entries
    std::vector<Entry> m_entries;
};

} // namespace chromium
