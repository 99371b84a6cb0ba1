#include "app/cli/CliPage.h"

#include "platform/chromium/ConfiguredBrowsers.h"
#include "platform/stores/IniProgramSettings.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

ui::MessageResult CliPage::Services::messageBox(const QString &text, const QString &title, ui::MessageIcon,
                                                ui::MessageButtons)
{
    m_err << title << ": " << QString(text).replace(u'\n', u' ') << '\n';
    return ui::MessageResult::Ok;
}

CliPage::CliPage(CliOutput io)
    : m_services(io.err)
    , m_webBrowser(chromium::configuredShellWindows())
    , m_page(stores::userProgramSettings(), m_services)
{
}

std::unique_ptr<CliPage> CliPage::bind(const QString &handleText, CliOutput io)
{
    static const QRegularExpression handleFormat(u"^[0-9A-Fa-f]{8}$"_s);
    if (!handleFormat.match(handleText).hasMatch())
        throw CliUsageError("the handle is 8 hexadecimal digits, as tabs prints it: " + handleText.toStdString());
    std::unique_ptr<CliPage> bound(new CliPage(io));
    qint32 hWnd = qint32(handleText.toUInt(nullptr, 16));
    if (hWnd != 0 && bound->m_page.SetWebPage(bound->m_webBrowser.GetIE(hWnd)))
        return bound;
    io.err << "vorlane-cli: no web page has the handle " << handleText << '\n';
    return nullptr;
}

ItemNo CliItemNo(const QString &text)
{
    bool ok = false;
    const ItemNo number = text.toInt(&ok);
    if (!ok || number < 0)
        throw CliUsageError("an item number is 0 or more: " + text.toStdString());
    return number;
}
