#include "platform/stores/IniFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace stores {

using namespace Qt::StringLiterals;

namespace {

// QSettings splits keys at '/' and '\'. Escaping both, and the escape
// character itself, keeps every section and key one name, whatever it holds.
QString escapedName(const QString &name)
{
    QString escaped;
    escaped.reserve(name.size());
    for (const QChar c : name) {
        if (c == u'%')
            escaped += u"%25"_s;
        else if (c == u'/')
            escaped += u"%2F"_s;
        else if (c == u'\\')
            escaped += u"%5C"_s;
        else
            escaped += c;
    }
    return escaped;
}

QString settingsKey(const QString &section, const QString &key)
{
    return escapedName(section) + u'/' + escapedName(key);
}

enum class LineFate { Kept, PartlyDropped, RunsOn };

// How QSettings treats one line of a file it reads and then writes back:
// it drops comments and lines that are neither a section nor key=value,
// and reads on past a line that leaves a quote open or ends in a
// backslash, swallowing the settings on the lines after it.
LineFate fateOf(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty())
        return LineFate::Kept;
    if (trimmed.startsWith(';'))
        return LineFate::PartlyDropped;
    bool inQuotes = false;
    bool hasEquals = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '\\' && ++i == line.size())
            return LineFate::RunsOn;
        if (c == '"')
            inQuotes = !inQuotes;
        else if (c == '=' && !inQuotes)
            hasEquals = true;
        else if (c == ';' && !inQuotes)
            return LineFate::PartlyDropped;
    }
    if (inQuotes)
        return LineFate::RunsOn;
    const bool isSection = trimmed.startsWith('[') && trimmed.endsWith(']');
    return hasEquals || isSection ? LineFate::Kept : LineFate::PartlyDropped;
}

// Two copies may be taken within one millisecond (the repair on reading
// and the first write), so a name already taken gets a number.
bool copyAside(const QString &path)
{
    const QString stamped = path + u".bak-"_s + QDateTime::currentDateTimeUtc().toString(u"yyyyMMddHHmmsszzz"_s);
    QString target = stamped;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        if (n > 1000)
            return false;
        target = stamped + u'-' + QString::number(n);
    }
    return QFile::copy(path, target);
}

// Drops the lines that would swallow others, after copying the file aside;
// only the settings on those lines then fall back to their defaults.
// True when the file has been copied aside.
bool dropRunOnLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const auto kept = std::remove_if(lines.begin(), lines.end(),
                                     [](const QByteArray &line) { return fateOf(line) == LineFate::RunsOn; });
    if (kept == lines.end() || !copyAside(path))
        return false;
    lines.erase(kept, lines.end());
    QSaveFile repaired(path);
    if (repaired.open(QIODevice::WriteOnly)) {
        repaired.write(lines.join('\n'));
        repaired.commit();
    }
    return true;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
    , m_copiedAside(dropRunOnLines(path))
    , m_settings(path, QSettings::IniFormat)
    , m_readable(m_settings.status() != QSettings::AccessError)
{
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (key.isEmpty())
        return defaultValue;
    const QVariant value = m_settings.value(settingsKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma typed by hand makes QSettings read a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

bool IniFile::write(const QString &section, const QString &key, const QString &value)
{
    // Writing over a file we could not read would replace everything in it.
    if (key.isEmpty() || !m_readable || !copyAsideHandEdits())
        return false;
    m_settings.setValue(settingsKey(section, key), value);
    m_settings.sync();
    return m_settings.status() != QSettings::AccessError;
}

// Before the first write, a file holding lines that QSettings would drop
// is copied aside, so that nothing typed into it by hand is lost.
bool IniFile::copyAsideHandEdits()
{
    if (m_copiedAside)
        return true;
    QFile file(m_path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QList<QByteArray> lines = file.readAll().split('\n');
        const bool dropsSome = std::any_of(lines.begin(), lines.end(), [](const QByteArray &line) {
            return fateOf(line) == LineFate::PartlyDropped;
        });
        if (dropsSome && !copyAside(m_path))
            return false;
    }
    m_copiedAside = true;
    return true;
}

} // namespace stores
