#include "windows/ancillary/HtmlHelp.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace ancillary {

using namespace Qt::StringLiterals;

namespace {

QUrl HelpUrl(const QString &vPath)
{
    return QUrl::fromLocalFile(QFileInfo(vPath).absoluteFilePath());
}

QString IndexPath(const QString &vHelpFile)
{
    const QFileInfo help(vHelpFile);
    const QString suffix = help.suffix().isEmpty() ? QString() : u'.' % help.suffix();
    return help.dir().filePath(help.completeBaseName() % u"-index"_s % suffix);
}

} // namespace

bool ShowHelpContents(QWidget *, const QString &vHelpFile)
{
    return QDesktopServices::openUrl(HelpUrl(vHelpFile));
}

bool ShowHelpIndex(QWidget *, const QString &vHelpFile, const QString &vKeyword)
{
    QUrl index = HelpUrl(IndexPath(vHelpFile));
    if (!vKeyword.isEmpty())
        index.setFragment(vKeyword);
    return QDesktopServices::openUrl(index);
}

} // namespace ancillary
