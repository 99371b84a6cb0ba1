// Initialisation: the current folder and the first save of the settings.
#include "app/SingleInstance.h"
#include "app/StartUp.h"
#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/SettingsStore.h"
#include "settings/SettingsVariables.h"
#include "tests/ui/RecordingUiServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class StartUp : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("VORLANE_CONFIG_DIR", config.path().toUtf8()); }
    void TearDown() override { qunsetenv("VORLANE_CONFIG_DIR"); }

    QTemporaryDir config;
};

} // namespace

TEST_F(StartUp, InitialisingMovesToTheProgramsFolderAndStoresEverySetting)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    SettingsVariables settings;
    InitializeApplication(settings);
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());

    stores::SettingsStore store;
    store.OpenStore(0, kApplicationTitle);
    EXPECT_EQ(store.ReadValue(u"PositionIE"_s, u"WebPage_Width"_s, u"absent"_s), u"1024"_s);
    EXPECT_EQ(store.ReadValue(u"Settings"_s, u"IeItemAutoUpdate"_s, u"absent"_s), u"False"_s);
    store.OpenStore(1, kApplicationTitle);
    EXPECT_EQ(store.ReadValue(u"Setting_Action"_s, u"RepeatMaxN"_s, u"absent"_s), u"30"_s);
}

// Only a lock held by a running copy keeps the program out; whatever else
// lies at the lock's place does not.
TEST_F(StartUp, ALockNoRunningCopyHoldsDoesNotKeepTheProgramOut)
{
    const QString lock = config.filePath(u"vorlane.lock"_s);
    const auto placeLock = [&](const std::function<void()> &place) {
        QFile::remove(lock);
        QDir(lock).removeRecursively();
        place();
    };
    const auto write = [&](const QByteArray &content) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    QTemporaryDir elsewhere;
    const QList<std::pair<const char *, std::function<void()>>> cases{
        {"empty", [&] { write({}); }},
        {"garbage", [&] { write("not a lock\n\xff\xfe\n"); }},
        {"a process number of nobody", [&] { write("999999999\n"); }},
        {"our own process number", [&] { write(QByteArray::number(QCoreApplication::applicationPid()) + "\n"); }},
        {"a link elsewhere", [&] { ASSERT_TRUE(QFile::link(elsewhere.filePath(u"target"_s), lock)); }},
        {"a link to nowhere", [&] { ASSERT_TRUE(QFile::link(u"/nonexistent/vorlane.lock"_s, lock)); }},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkpath(lock)); }},
    };
    for (const auto &[what, place] : cases) {
        placeLock(place);
        EXPECT_TRUE(SingleInstance().isFirst()) << what;
    }
    EXPECT_TRUE(QFile::exists(elsewhere.filePath(u"target"_s)) == false) << "a link is not followed";

    placeLock([] {});
    const SingleInstance running;
    ASSERT_TRUE(running.isFirst());
    EXPECT_FALSE(SingleInstance().isFirst()) << "a lock held by a running copy";
}

// In a folder that another user can change, a lock could be held by that
// user for good: it keeps nobody out, and the user hears of the folder once.
TEST_F(StartUp, AFolderOthersCanChangeIsSaidOnceAndItsLockKeepsNobodyOut)
{
    ASSERT_EQ(::chmod(QFile::encodeName(config.path()).constData(), 01777), 0);
    const int held = ::open(QFile::encodeName(config.filePath(u"vorlane.lock"_s)).constData(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::fchown(held, 65534, 65534), 0);
    }
    EXPECT_TRUE(SingleInstance().isFirst());

    ui::RecordingUiServices ui;
    SettingsVariables settings;
    InitializeApplication(settings);
    ASSERT_EQ(ui.messageBoxes.size(), 1);
    EXPECT_TRUE(ui.messageBoxes[0].text.endsWith(config.path()));
    EXPECT_EQ(ui.messageBoxes[0].icon, ui::MessageIcon::Warning);
    ::close(held);
}
