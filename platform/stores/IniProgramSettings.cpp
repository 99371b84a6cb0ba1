#include "platform/stores/IniProgramSettings.h"

#include "platform/stores/IniFile.h"
#include "platform/stores/StoreFolder.h"

namespace stores {

using namespace Qt::StringLiterals;

namespace {

// The folder is looked up on every call, so a change of
// VORLANE_CONFIG_DIR takes effect at once.
QString programSettingsPath(const QString &appName)
{
    return storeFilePath(appName, u"program"_s);
}

} // namespace

QString IniProgramSettings::GetSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                                       const QString &vDefault) const
{
    return IniFile(programSettingsPath(vAppName)).read(vSection, vKey, vDefault);
}

bool IniProgramSettings::SaveSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                                     const QString &vValue)
{
    return IniFile(programSettingsPath(vAppName)).write(vSection, vKey, vValue);
}

ProgramSettings &userProgramSettings()
{
    static IniProgramSettings store;
    return store;
}

} // namespace stores
