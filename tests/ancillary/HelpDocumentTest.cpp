#include "windows/ancillary/HtmlHelp.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

namespace {

QString Read(const QDir &folder, const QString &name)
{
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch &match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

} // namespace

// What the build put beside the executable: every page a link names is
// there, and so is every place in it that the link points to.
TEST(HelpDocument, EveryLinkBetweenTheCopiedPagesArrives)
{
    const QDir folder(QString::fromUtf8(HELP_FOLDER));
    const QStringList pages{kHelpFileName, u"Vorlane-index.html"_s};
    int links = 0;
    for (const QString &page : pages) {
        const QString text = Read(folder, page);
        ASSERT_FALSE(text.isEmpty()) << page.toStdString();
        for (const QString &target : Captures(text, uR"re((?:href|src)="([^"]*)")re"_s)) {
            if (target.contains(u':'))
                continue; // outside the document
            ++links;
            const qsizetype hash = target.indexOf(u'#');
            const QString file = hash < 0 ? target : target.left(hash);
            const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
            const QString targetText = Read(folder, file.isEmpty() ? page : file);
            ASSERT_FALSE(targetText.isEmpty()) << page.toStdString() << " -> " << target.toStdString();
            if (!anchor.isEmpty()) {
                const QStringList ids = Captures(targetText, uR"re(\sid="([^"]*)")re"_s);
                EXPECT_TRUE(ids.contains(anchor)) << page.toStdString() << " -> " << target.toStdString();
            }
        }
    }
    EXPECT_GT(links, 50);
}
