#pragma once

#include "platform/stores/ProgramSettings.h"

#include <QMap>
#include <QStringList>

namespace stores {

// Program settings held in memory only, for tests.
class MemoryProgramSettings : public ProgramSettings
{
public:
    QString GetSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                       const QString &vDefault) const override;
    bool SaveSetting(const QString &vAppName, const QString &vSection, const QString &vKey,
                     const QString &vValue) override;

    bool contains(const QString &appName, const QString &section, const QString &key) const;

private:
    QMap<QStringList, QString> m_values;
};

} // namespace stores
