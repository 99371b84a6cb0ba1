#include "app/cli/CliPage.h"

#include "platform/stores/IniProgramSettings.h"
#include "platform/stores/StoreFolder.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;
using automation::AutomationError;

CliPage::CliPage(std::shared_ptr<automation::ShellWindows> shellWindows)
    : m_webBrowser(std::move(shellWindows))
    , m_page(stores::userProgramSettings(), m_services)
{
}

std::unique_ptr<CliPage> CliPage::bind(const QString &handleText, const CliCall &call)
{
    static const QRegularExpression handleFormat(u"^[0-9A-Fa-f]{8}$"_s);
    if (!handleFormat.match(handleText).hasMatch())
        throw CliUsageError(u"the handle is 8 hexadecimal digits, as tabs prints it: "_s + handleText);
    // The page keeps its search positions in the program store.
    if (stores::othersCanChangeStoreFolder())
        call.err().message(u"the settings folder can be changed by other users, so no link in it is followed: "_s
                           + stores::storeFolder());
    std::unique_ptr<CliPage> bound(new CliPage(call.shellWindows()));
    qint32 hWnd = qint32(handleText.toUInt(nullptr, 16));
    if (hWnd != 0) {
        bound->m_browser = bound->m_webBrowser.GetIE(hWnd);
        if (bound->m_browser && bound->m_page.SetWebPage(bound->m_browser)) {
            try {
                bound->m_document = bound->m_browser->document();
            } catch (const AutomationError &e) {
                throw CliFailure(u"the page of "_s + handleText + u" cannot be read: "_s + CliErrorText(e));
            }
            return bound;
        }
    }
    call.err().message(u"no web page has the handle "_s + handleText);
    return nullptr;
}

automation::ElementPtr CliPage::element(ItemNo item)
{
    automation::ElementPtr element = m_document->collection(automation::CollectionKind::All)->item(item);
    if (!element)
        throw AutomationError::objectNotSet(u"vorlane-cli"_s);
    return element;
}

ItemNo CliPage::elementCount()
{
    try {
        return m_document->collection(automation::CollectionKind::All)->length();
    } catch (const AutomationError &e) {
        throw CliFailure(u"the page's elements cannot be counted: "_s + CliErrorText(e));
    }
}

void CliPage::requireItem(ItemNo item)
{
    const ItemNo count = elementCount();
    if (item >= count)
        throw CliFailure(u"item "_s + QString::number(item) + u" is outside the page's "_s + QString::number(count)
                         + (count == 1 ? u" element"_s : u" elements"_s));
}

void CliPage::requireSamePage()
{
    if (m_page.CheckWebPage()) {
        // The address stays when the tab loads the same page again, and the
        // tab may tell of a new one only after its document has gone: the
        // document itself says whether it is still the tab's.
        try {
            m_document->collection(automation::CollectionKind::All)->length();
        } catch (const AutomationError &e) {
            throw CliFailure(u"the tab has left the page that was read: "_s + CliErrorText(e));
        }
        return;
    }
    QString now;
    try {
        now = m_browser->locationURL();
    } catch (const AutomationError &e) {
        throw CliFailure(u"the tab cannot be read: "_s + CliErrorText(e));
    }
    throw CliFailure(u"the tab has left the page that was read and shows "_s + now + u" now"_s);
}

ItemNo CliItemNo(const QString &text)
{
    bool ok = false;
    const ItemNo number = text.toInt(&ok);
    if (!ok || number < 0)
        throw CliUsageError(u"an item number is 0 or more: "_s + text);
    return number;
}
