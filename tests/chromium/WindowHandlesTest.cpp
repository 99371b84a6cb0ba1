#include "platform/chromium/WindowHandles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using chromium::WindowHandles;

TEST(WindowHandles, SharedBetweenProcessesAndNeverGivenTwice)
{
    QTemporaryDir folder;
    const QByteArray before = qgetenv("VORLANE_RUNTIME_DIR");
    qputenv("VORLANE_RUNTIME_DIR", folder.path().toUtf8());

    const QList<qint32> first = WindowHandles::handlesFor(u"/browser/1"_s, {u"A"_s, u"B"_s});
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[1], first[0] + 1);
    EXPECT_GE(first[0], 0x00010001);
    // What another process asks later: the same tabs, the same handles.
    EXPECT_EQ(WindowHandles::handlesFor(u"/browser/1"_s, {u"B"_s, u"C"_s, u"A"_s}),
              (QList<qint32>{first[1], first[1] + 1, first[0]}));
    // The same target id in another browser is another tab.
    EXPECT_EQ(WindowHandles::handlesFor(u"/browser/2"_s, {u"A"_s}).front(), first[1] + 2);
    EXPECT_EQ(QFile(WindowHandles::registryPath()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    // A spoiled registry starts again, but never below what this process's
    // tabs already hold.
    QFile broken(WindowHandles::registryPath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{not json");
    broken.close();
    EXPECT_GT(WindowHandles::handlesFor(u"/browser/3"_s, {u"X"_s}).front(), first[1] + 2);

    qputenv("VORLANE_RUNTIME_DIR", before);
}

namespace {

// The registry kept in a folder of the test's own for as long as it lives.
class RegistryFolder
{
public:
    RegistryFolder()
        : m_before(qgetenv("VORLANE_RUNTIME_DIR"))
    {
        qputenv("VORLANE_RUNTIME_DIR", m_folder.path().toUtf8());
    }
    ~RegistryFolder() { qputenv("VORLANE_RUNTIME_DIR", m_before); }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QByteArray m_before;
};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

// What lies at the registry's place cannot make us write elsewhere or wait.
TEST(WindowHandles, ARegistryThatIsALinkOrAPipeIsNeitherFollowedNorWaitedOn)
{
    const RegistryFolder folder;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(u"victim"_s);
    writeFile(victim, "keep me");
    ASSERT_TRUE(QFile::link(victim, WindowHandles::registryPath()));
    EXPECT_EQ(WindowHandles::handlesFor(u"/b/link"_s, {u"A"_s}).size(), 1);
    QFile kept(victim);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me");
    EXPECT_FALSE(QFileInfo(WindowHandles::registryPath()).isSymLink()) << "the link was replaced by the registry";

    QFile::remove(WindowHandles::registryPath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(WindowHandles::registryPath()).constData(), 0600), 0);
    EXPECT_EQ(WindowHandles::handlesFor(u"/b/pipe"_s, {u"A"_s}).size(), 1);

    // Nor is a pipe at the lock's place taken for a lock: the registry is still shared.
    ASSERT_EQ(::mkfifo(QFile::encodeName(WindowHandles::registryPath() + u".lock"_s).constData(), 0600), 0);
    EXPECT_EQ(WindowHandles::handlesFor(u"/b/lock"_s, {u"A"_s}), WindowHandles::handlesFor(u"/b/lock"_s, {u"A"_s}));
}

// A folder that others may enter is not used; the registry goes to one of the user's own.
TEST(WindowHandles, OnlyAFolderOfTheUsersOwnHoldsTheRegistry)
{
    const RegistryFolder folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777)));
    EXPECT_FALSE(WindowHandles::registryPath().startsWith(folder.path()));
    const QString fallback = WindowHandles::registryPath();
    if (!fallback.isEmpty()) {
        const QFileInfo info(QFileInfo(fallback).path());
        EXPECT_EQ(info.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther
                                        | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup),
                  QFileDevice::Permissions());
    }
}

// Handles near the end of their range, or spoiled ones, never wrap or repeat.
TEST(WindowHandles, ACountNearTheLastHandleNeitherWrapsNorRepeats)
{
    const RegistryFolder folder;
    writeFile(WindowHandles::registryPath(), R"({"next":2147483640,"tabs":{"x":2147483639}})");
    const QList<qint32> near = WindowHandles::handlesFor(u"/b/near"_s, {u"A"_s, u"B"_s, u"C"_s});
    EXPECT_EQ(near, (QList<qint32>{2147483640, 2147483641, 2147483642}));

    // Numbers no handle can be are not believed.
    writeFile(WindowHandles::registryPath(), R"({"next":99999999999,"tabs":{"y":-5,"z":"abc"}})");
    const QList<qint32> after = WindowHandles::handlesFor(u"/b/spoiled"_s, {u"A"_s, u"B"_s});
    EXPECT_EQ(after, (QList<qint32>{2147483643, 2147483644})) << "still above what this process has given";
}

// Many tabs at once: each gets its own handle, and the registry keeps the newest.
TEST(WindowHandles, ThousandsOfNewTabsAreKeptNewestFirst)
{
    const RegistryFolder folder;
    QStringList targets;
    for (int i = 0; i < 6000; ++i)
        targets.append(u"T"_s + QString::number(i));
    const QList<qint32> handles = WindowHandles::handlesFor(u"/b/many"_s, targets);
    ASSERT_EQ(handles.size(), 6000);
    const QSet<qint32> distinct(handles.cbegin(), handles.cend());
    EXPECT_EQ(distinct.size(), 6000);
    // The newest still have theirs; the oldest were forgotten and get new ones.
    EXPECT_EQ(WindowHandles::handlesFor(u"/b/many"_s, {u"T5999"_s}).front(), handles.back());
    EXPECT_FALSE(distinct.contains(WindowHandles::handlesFor(u"/b/many"_s, {u"T0"_s}).front()));
}
