#include "platform/stores/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

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

// Whether QSettings, reading this line, would read on past it: a quote
// left open or a backslash at the end swallows the settings on the lines
// after it.
bool runsOn(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.trimmed().startsWith(';'))
        return false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c == '\\' && ++i == line.size())
            return true;
        if (c == '"')
            inQuotes = !inQuotes;
        else if (c == ';' && !inQuotes)
            return false;
    }
    return inQuotes;
}

// A name already taken, by a copy made within the same millisecond or
// left from an earlier run, gets a number.
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
void dropRunOnLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const auto kept = std::remove_if(lines.begin(), lines.end(), runsOn);
    if (kept == lines.end() || !copyAside(path))
        return;
    lines.erase(kept, lines.end());
    QSaveFile repaired(path);
    if (repaired.open(QIODevice::WriteOnly)) {
        repaired.write(lines.join('\n'));
        repaired.commit();
    }
}

// The lines QSettings writes for one setting: its section's header and its
// key=value line. Made by QSettings itself, in a file of its own, so that
// what is spliced into the store reads back through QSettings exactly.
struct SettingLines
{
    QByteArray header;
    QByteArray key;
    QByteArray line;
};

std::optional<SettingLines> settingLines(const QString &name, const QString &value)
{
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return std::nullopt;
    const QString path = scratch.filePath(u"one.ini"_s);
    {
        QSettings one(path, QSettings::IniFormat);
        one.setValue(name, value);
        one.sync();
        if (one.status() != QSettings::NoError)
            return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    SettingLines lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith('[') && lines.header.isEmpty())
            lines.header = line.trimmed();
        else if (!line.trimmed().isEmpty() && !lines.header.isEmpty() && lines.line.isEmpty())
            lines.line = line;
    }
    lines.key = lines.line.left(lines.line.indexOf('='));
    if (lines.header.isEmpty() || lines.key.isEmpty())
        return std::nullopt;
    return lines;
}

// The file with that setting's line put in place of its old one, or at the
// end of its section, or in a new section at the end; every other line is
// left as it was, byte for byte.
QByteArray withSetting(const QByteArray &content, const SettingLines &setting)
{
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    const QByteArray ending = !lines.isEmpty() && lines.front().endsWith('\r') ? "\r" : "";
    const QByteArray line = setting.line + ending;

    qsizetype sectionEnd = -1; // after the section's last setting
    qsizetype found = -1;      // the setting's last line: the one QSettings reads
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (trimmed.startsWith('[')) {
            inSection = trimmed == setting.header;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection || trimmed.isEmpty())
            continue;
        sectionEnd = i + 1;
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0 && lines[i].left(equals).trimmed() == setting.key)
            found = i;
    }
    if (found >= 0) {
        lines[found] = line;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, line);
    } else {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
            lines.append(ending);
        lines.append(setting.header + ending);
        lines.append(line);
    }
    return lines.join('\n') + '\n';
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    dropRunOnLines(path);
    reload();
}

void IniFile::reload()
{
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    m_readable = m_settings->status() != QSettings::AccessError;
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (key.isEmpty())
        return defaultValue;
    const QVariant value = m_settings->value(settingsKey(section, key));
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
    if (key.isEmpty() || !m_readable)
        return false;
    const std::optional<SettingLines> setting = settingLines(settingsKey(section, key), value);
    if (!setting)
        return false;
    QFile current(m_path);
    QByteArray content;
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            return false;
        content = current.readAll();
        current.close();
    }
    QDir().mkpath(QFileInfo(m_path).path());
    QSaveFile out(m_path);
    const bool written = out.open(QIODevice::WriteOnly) && out.write(withSetting(content, *setting)) >= 0 && out.commit();
    reload();
    return written;
}

} // namespace stores
