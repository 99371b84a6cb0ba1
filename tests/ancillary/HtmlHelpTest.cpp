#include "windows/ancillary/HtmlHelp.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

namespace {

// Stands in for the user's viewer.
class Viewer : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class Help : public ::testing::Test
{
protected:
    void SetUp() override { QDesktopServices::setUrlHandler(u"file"_s, &viewer, "open"); }
    void TearDown() override { QDesktopServices::unsetUrlHandler(u"file"_s); }

    Viewer viewer;
};

} // namespace

TEST_F(Help, ContentsOpenTheHelpFileEvenWhenItIsMissing)
{
    EXPECT_TRUE(ShowHelpContents(nullptr, u"/nowhere/Vorlane.html"_s));
    ASSERT_EQ(viewer.opened.size(), 1);
    EXPECT_EQ(viewer.opened[0], QUrl::fromLocalFile(u"/nowhere/Vorlane.html"_s));
}

TEST_F(Help, IndexOpensTheIndexPageBesideTheHelpFileAtTheKeyword)
{
    ShowHelpIndex(nullptr, u"/opt/ヘルプ/Vorlane.html"_s, {});
    ShowHelpIndex(nullptr, u"/opt/ヘルプ/Vorlane.html"_s, u"表示 フィルター#1"_s);
    ASSERT_EQ(viewer.opened.size(), 2);
    EXPECT_EQ(viewer.opened[0], QUrl::fromLocalFile(u"/opt/ヘルプ/Vorlane-index.html"_s));
    EXPECT_FALSE(viewer.opened[0].hasFragment());
    EXPECT_EQ(viewer.opened[1].toLocalFile(), u"/opt/ヘルプ/Vorlane-index.html"_s);
    EXPECT_EQ(viewer.opened[1].fragment(), u"表示 フィルター#1"_s);
}

namespace {

// A program folder and the data folders around it, the user's and the
// system's pointed at empty folders of the test's own, so that a copy
// installed on this machine cannot answer.
class HelpLocation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        savedHome = qgetenv("XDG_DATA_HOME");
        savedDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_HOME", Path(u"user"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", (Path(u"system1"_s) + u':' + Path(u"system2"_s)).toUtf8());
        ASSERT_TRUE(QDir().mkpath(programFolder()));
    }
    void TearDown() override
    {
        Restore("XDG_DATA_HOME", savedHome);
        Restore("XDG_DATA_DIRS", savedDirs);
    }

    QString Path(const QString &vRelative) const { return QDir::cleanPath(root.filePath(vRelative)); }
    // Where an install puts the programs.
    QString programFolder() const { return Path(u"prefix/"_s + QStringLiteral(BIN_DIR)); }
    // Makes a help document at vRelative under the test's root.
    QString Put(const QString &vRelative) const
    {
        const QString path = Path(vRelative + u'/' + kHelpFileName);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    static void Restore(const char *vName, const QByteArray &vValue)
    {
        if (vValue.isNull())
            qunsetenv(vName);
        else
            qputenv(vName, vValue);
    }

    QTemporaryDir root;
    QByteArray savedHome;
    QByteArray savedDirs;
};

} // namespace

TEST_F(HelpLocation, AnInstalledProgramFindsTheDocumentItsInstallPutInTheDataFolder)
{
    const QString installed = Put(u"prefix/"_s + QStringLiteral(HELP_INSTALL_DIR));
    Put(u"user/vorlane/help"_s); // an older install's copy elsewhere loses
    EXPECT_EQ(LocateHelpFile(programFolder()), installed);
}

TEST_F(HelpLocation, TheDocumentBesideTheProgramComesFirst)
{
    Put(u"prefix/"_s + QStringLiteral(HELP_INSTALL_DIR));
    const QString beside = Put(u"prefix/"_s + QStringLiteral(BIN_DIR));
    EXPECT_EQ(LocateHelpFile(programFolder()), beside);
}

TEST_F(HelpLocation, OtherwiseTheUsersDataFolderThenTheSystemsAreSearched)
{
    const QString system = Put(u"system2/vorlane/help"_s);
    EXPECT_EQ(LocateHelpFile(programFolder()), system);
    const QString user = Put(u"user/vorlane/help"_s);
    EXPECT_EQ(LocateHelpFile(programFolder()), user);
}

TEST_F(HelpLocation, NowhereGivesThePathBesideTheProgramForTheViewerToReport)
{
    // A folder of that name is no document.
    QDir().mkpath(Path(u"system1/vorlane/help/"_s + kHelpFileName));
    EXPECT_EQ(LocateHelpFile(programFolder()), QDir(programFolder()).filePath(kHelpFileName));
}

#include "HtmlHelpTest.moc"
