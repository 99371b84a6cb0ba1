#include "platform/chromium/WindowHandles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
