#include "platform/stores/MemoryProgramSettings.h"

namespace stores {

QString MemoryProgramSettings::GetSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                                          const QString &vDefault) const
{
    return m_values.value({vAppName, vSection, vKey}, vDefault);
}

bool MemoryProgramSettings::SaveSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                                        const QString &vValue)
{
    m_values.insert({vAppName, vSection, vKey}, vValue);
    return true;
}

bool MemoryProgramSettings::contains(const QString &appName, const QString &section, const QString &key) const
{
    return m_values.contains({appName, section, key});
}

} // namespace stores
