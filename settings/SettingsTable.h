#pragma once

#include "settings/SettingsVariables.h"

#include <QList>
#include <QString>

#include <variant>

// Where one setting lives in the settings store, and which variable holds it.
struct SettingEntry
{
    using Variable = std::variant<qint16 SettingsVariables::*, qint32 SettingsVariables::*,
                                  bool SettingsVariables::*, float SettingsVariables::*,
                                  double SettingsVariables::*, QString SettingsVariables::*,
                                  QDateTime SettingsVariables::*>;

    qint32 kind;
    QString section;
    QString key;
    QString defaultText;
    Variable variable;
};

// Every setting, in the order in which they are loaded and saved.
const QList<SettingEntry> &settingsTable();
