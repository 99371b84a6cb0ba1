#pragma once

#include <QSettings>
#include <QString>

namespace stores {

// One INI file read and written by section and key, both taken as plain
// text: no character of either has a meaning of its own. A file edited by
// hand is copied aside (name.bak-<time>) before anything typed into it
// could be lost: before the first write when QSettings would drop some of
// its lines, and on opening when a line would swallow the lines after it;
// such a line is then removed, so its setting reads as absent.
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
