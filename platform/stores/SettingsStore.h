#pragma once

#include "platform/stores/IniFile.h"

#include <QString>

#include <memory>

namespace stores {

// The program's settings store: two stores (kinds 0 and 1) per
// application, each one INI file in the store folder.
class SettingsStore
{
public:
    // False for a kind other than 0 or 1; the store is then closed.
    bool OpenStore(qint32 vKind, const QString &vAppName);
    // The stored text, or vDefault when the key is absent or no store is open.
    QString ReadValue(const QString &vSection, const QString &vKey, const QString &vDefault) const;
    // False when no store is open or the value could not be kept.
    bool WriteValue(const QString &vSection, const QString &vKey, const QString &vValue);

private:
    std::unique_ptr<IniFile> m_file;
};

} // namespace stores
