#include "platform/stores/SettingsStore.h"

#include "platform/stores/StoreFolder.h"

namespace stores {

using namespace Qt::StringLiterals;

bool SettingsStore::OpenStore(qint32 vKind, const QString &vAppName)
{
    m_file.reset();
    if (vKind != 0 && vKind != 1)
        return false;
    m_file = std::make_unique<IniFile>(storeFilePath(vAppName, u"store"_s + QString::number(vKind)));
    return true;
}

QString SettingsStore::ReadValue(const QString &vSection, const QString &vKey, const QString &vDefault) const
{
    return m_file ? m_file->read(vSection, vKey, vDefault) : vDefault;
}

bool SettingsStore::WriteValue(const QString &vSection, const QString &vKey, const QString &vValue)
{
    return m_file && m_file->write(vSection, vKey, vValue);
}

} // namespace stores
