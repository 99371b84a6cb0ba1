#pragma once

#include "app/cli/CliCommand.h"
#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/automation/Automation.h"
#include "platform/ui/QuietUiServices.h"

#include <memory>

// The page model of one tab, bound the way the inspector binds it: the tab
// found by its handle, then SetWebPage. Its page's beeps go nowhere and its
// error message box becomes a line on stderr.
class CliPage
{
public:
    // Null, with a line on stderr, when no web page has the handle; throws
    // CliUsageError for a malformed one.
    static std::unique_ptr<CliPage> bind(const QString &handleText, const CliCall &call);

    CWebPageHV &page() { return m_page; }

private:
    CliPage(std::shared_ptr<automation::ShellWindows> shellWindows, CliStderr &err);

    class Services final : public ui::QuietUiServices
    {
    public:
        explicit Services(CliStderr &err)
            : m_err(err)
        {
        }
        ui::MessageResult messageBox(const QString &text, const QString &title, ui::MessageIcon,
                                     ui::MessageButtons) override;

    private:
        CliStderr &m_err;
    };

    Services m_services;
    CWebBrowserHV m_webBrowser;
    CWebPageHV m_page;
};

// An item number argument: 0 or more; throws CliUsageError.
ItemNo CliItemNo(const QString &text);
