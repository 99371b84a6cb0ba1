#include "windows/ancillary/HtmlHelp.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

QString LocateHelpFile(const QString &vProgramFolder)
{
    const QDir program(vProgramFolder);
    const QString beside = program.filePath(kHelpFileName);
    // The installed copy that came with this very program goes before any
    // other install's in the data folders.
    const QString installed =
        QDir::cleanPath(program.filePath(QStringLiteral(VORLANE_HELP_FROM_BINDIR) % u'/' % kHelpFileName));
    for (const QString &candidate : {beside, installed}) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    const QString located = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral(VORLANE_HELP_DATA_SUBDIR) % u'/' % kHelpFileName);
    return located.isEmpty() ? beside : located;
}

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
