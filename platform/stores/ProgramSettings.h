#pragma once

#include <QString>

namespace stores {

// The per-user program settings: text values by application, section and key.
class ProgramSettings
{
public:
    virtual ~ProgramSettings() = default;

    // The stored text, or vDefault when the key is absent.
    virtual QString GetSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                               const QString &vDefault) const = 0;
    // Replaces any earlier value; false when the value could not be kept.
    virtual bool SaveSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                             const QString &vValue) = 0;
};

} // namespace stores
