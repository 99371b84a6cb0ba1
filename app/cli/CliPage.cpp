#include "app/cli/CliPage.h"

#include "platform/stores/IniProgramSettings.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

ui::MessageResult CliPage::Services::messageBox(const QString &text, const QString &title, ui::MessageIcon,
                                                ui::MessageButtons)
{
    m_err.write(title + u": "_s + QString(text).replace(u'\n', u' ') + u'\n');
    return ui::MessageResult::Ok;
}

CliPage::CliPage(std::shared_ptr<automation::ShellWindows> shellWindows, CliStderr &err)
    : m_services(err)
    , m_webBrowser(std::move(shellWindows))
    , m_page(stores::userProgramSettings(), m_services)
{
}

std::unique_ptr<CliPage> CliPage::bind(const QString &handleText, const CliCall &call)
{
    static const QRegularExpression handleFormat(u"^[0-9A-Fa-f]{8}$"_s);
    if (!handleFormat.match(handleText).hasMatch())
        throw CliUsageError(u"the handle is 8 hexadecimal digits, as tabs prints it: "_s + handleText);
    std::unique_ptr<CliPage> bound(new CliPage(call.shellWindows(), call.err()));
    qint32 hWnd = qint32(handleText.toUInt(nullptr, 16));
    if (hWnd != 0 && bound->m_page.SetWebPage(bound->m_webBrowser.GetIE(hWnd)))
        return bound;
    call.err().message(u"no web page has the handle "_s + handleText);
    return nullptr;
}

ItemNo CliItemNo(const QString &text)
{
    bool ok = false;
    const ItemNo number = text.toInt(&ok);
    if (!ok || number < 0)
        throw CliUsageError(u"an item number is 0 or more: "_s + text);
    return number;
}
