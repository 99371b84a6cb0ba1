#pragma once

#include <QSettings>
#include <QString>

namespace stores {

// One INI file read and written by section and key, both taken as plain
// text: no character of either has a meaning of its own.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    // The stored text, or defaultValue when the key is absent (an empty key
    // is never stored).
    QString read(const QString &section, const QString &key, const QString &defaultValue) const;
    // Writes through to the file at once; false when the value could not be
    // kept (empty key, unreadable file, or a failed write).
    bool write(const QString &section, const QString &key, const QString &value);

private:
    bool copyAsideHandEdits();

    QString m_path;
    bool m_copiedAside;
    QSettings m_settings;
    bool m_readable;
};

} // namespace stores
