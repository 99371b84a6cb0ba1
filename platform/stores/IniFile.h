#pragma once

#include "platform/stores/PlainFile.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace stores {

// One INI file read and written by section and key, both taken as plain
// text: no character of either has a meaning of its own. A write changes
// the one line of its setting and leaves every other line as it was, byte
// for byte: comments, keys the program does not know, and whatever else was
// typed by hand. A line that would swallow the lines after it is removed on
// opening, after the file is copied aside (name.bak-<time>), so that only
// its own setting reads as absent. Only a regular file, or a link to one, is
// read, and the link only in a folder that no other user can change;
// whatever else lies at its place (a pipe, a folder) makes the file
// unreadable, and is neither waited on nor written over.
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
    void load(const QByteArray &content);

    QString m_path;
    Links m_links;
    // What the file held when last read or written; null when it could not
    // be read.
    std::unique_ptr<QSettings> m_settings;
};

} // namespace stores
