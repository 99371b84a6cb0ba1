// Initialisation: the current folder and the first save of the settings.
#include "app/StartUp.h"
#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/SettingsStore.h"
#include "settings/SettingsVariables.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
