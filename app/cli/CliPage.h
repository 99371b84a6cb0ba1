#pragma once

#include "app/cli/CliCommand.h"
#include "browser/CWebBrowserHV.h"
#include "page/CWebPageHV.h"
#include "platform/automation/Automation.h"
#include "platform/ui/QuietUiServices.h"

#include <memory>

// The page model of one tab, bound the way the inspector binds it: the tab
// found by its handle, then SetWebPage. The model keeps its failures to
// itself (a beep, a message box); the commands take its failures from what
// it returns, check what they rely on through the same browser, and say
// what went wrong.
class CliPage
{
public:
    // Null, with a line on stderr, when no web page has the handle; throws
    // CliUsageError for a malformed one.
    static std::unique_ptr<CliPage> bind(const QString &handleText, const CliCall &call);

    CWebPageHV &page() { return m_page; }
    automation::Browser &browser() { return *m_browser; }
    const automation::DocumentPtr &document() const { return m_document; }
    // The element at that position of the bound page; throws AutomationError.
    automation::ElementPtr element(ItemNo item);

    // Each throws CliFailure saying what is wrong: elements that cannot be
    // counted, an item outside the page, a tab that has gone or left the
    // page that was bound (another address, or a document that is no
    // longer the tab's).
    ItemNo elementCount();
    void requireItem(ItemNo item);
    void requireSamePage();

private:
    explicit CliPage(std::shared_ptr<automation::ShellWindows> shellWindows);

    ui::QuietUiServices m_services;
    CWebBrowserHV m_webBrowser;
    CWebPageHV m_page;
    automation::BrowserPtr m_browser;
    automation::DocumentPtr m_document;
};

// An item number argument: 0 or more; throws CliUsageError.
ItemNo CliItemNo(const QString &text);
