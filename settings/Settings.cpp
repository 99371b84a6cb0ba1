#include "settings/Settings.h"

#include "platform/stores/ApplicationTitle.h"
#include "settings/SettingsTable.h"
#include "platform/stores/SettingsStore.h"
#include "platform/stores/ValueText.h"

#include <optional>
#include <type_traits>

namespace {

template<typename T>
std::optional<T> valueFromText(const QString &text)
{
    if constexpr (std::is_same_v<T, qint16>)
        return stores::int16FromText(text);
    else if constexpr (std::is_same_v<T, qint32>)
        return stores::int32FromText(text);
    else if constexpr (std::is_same_v<T, bool>)
        return stores::boolFromText(text);
    else if constexpr (std::is_same_v<T, float>)
        return stores::floatFromText(text);
    else if constexpr (std::is_same_v<T, double>)
        return stores::doubleFromText(text);
    else if constexpr (std::is_same_v<T, QDateTime>)
        return stores::dateFromText(text);
    else
        return text;
}

template<typename T>
QString textOfValue(const T &value)
{
    if constexpr (std::is_same_v<T, QString>)
        return value;
    else
        return stores::textOf(value);
}

// Kind 0 is opened first and kind 1 after it, on the one store.
template<typename Variables, typename Move>
void forEachSetting(Variables &variables, Move move)
{
    stores::SettingsStore store;
    std::optional<qint32> openKind;
    for (const SettingEntry &entry : settingsTable()) {
        if (openKind != entry.kind) {
            store.OpenStore(entry.kind, kApplicationTitle);
            openKind = entry.kind;
        }
        std::visit([&](auto variable) { move(store, entry, variables.*variable); }, entry.variable);
    }
}

} // namespace

void LoadSettings(SettingsVariables &rSettings)
{
    forEachSetting(rSettings, [](stores::SettingsStore &store, const SettingEntry &entry, auto &variable) {
        using T = std::remove_reference_t<decltype(variable)>;
        std::optional<T> value = valueFromText<T>(store.ReadValue(entry.section, entry.key, entry.defaultText));
        if (!value)
            value = valueFromText<T>(entry.defaultText);
        variable = value.value();
    });
}

bool SaveSettings(const SettingsVariables &vSettings)
{
    bool all = true;
    forEachSetting(vSettings, [&all](stores::SettingsStore &store, const SettingEntry &entry, const auto &variable) {
        all = store.WriteValue(entry.section, entry.key, textOfValue(variable)) && all;
    });
    return all;
}
