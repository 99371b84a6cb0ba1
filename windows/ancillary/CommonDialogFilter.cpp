#include "windows/ancillary/CommonDialogFilter.h"

#include <QRegularExpression>

namespace ancillary {

using namespace Qt::StringLiterals;

namespace {

QStringList SplitPatterns(const QString &vText)
{
    static const QRegularExpression separators(u"[;\\s]+"_s);
    return vText.split(separators, Qt::SkipEmptyParts);
}

// The dialog takes its patterns from the description's last brackets, so a
// description that already lists the same patterns loses that list.
QString DescriptionWithout(const QString &vDescription, const QStringList &vPatterns)
{
    static const QRegularExpression trailingList(u"^(.*?)\\s*\\(([^()]*)\\)$"_s);
    const QRegularExpressionMatch match = trailingList.match(vDescription);
    if (match.hasMatch() && SplitPatterns(match.captured(2)) == vPatterns)
        return match.captured(1);
    return vDescription;
}

} // namespace

QStringList NameFiltersFromCommonDialog(const QString &vFilter)
{
    QStringList filters;
    const QStringList parts = vFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList patterns = SplitPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        QStringList shown = patterns;
        shown.replaceInStrings(QRegularExpression(u"^\\*\\.\\*$"_s), u"*"_s);
        const QString description = DescriptionWithout(parts[i].trimmed(), patterns);
        filters << QString(description % u" ("_s % shown.join(u' ') % u')').trimmed();
    }
    return filters;
}

} // namespace ancillary
