#pragma once

#include "platform/stores/ProgramSettings.h"

namespace stores {

// Program settings kept in one INI file per application in the store folder.
class IniProgramSettings : public ProgramSettings
{
public:
    QString GetSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                       const QString &vDefault) const override;
    bool SaveSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                     const QString &vValue) override;
};

// The store the program uses for its own settings.
ProgramSettings &userProgramSettings();

} // namespace stores
