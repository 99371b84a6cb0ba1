#include "platform/stores/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace stores {

using namespace Qt::StringLiterals;

namespace {

// Far above what settings take; a bigger file is not a settings file.
constexpr qsizetype kMaxStoreBytes = 16 << 20;

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

// QSettings writes a section named "general", in any case, as "[%General]",
// which reads back as "General". Such a name other than "General" itself has
// its first letter escaped as well, so that it reads back as written.
QString escapedSection(const QString &section)
{
    const QString escaped = escapedName(section);
    if (escaped.compare(u"general"_s, Qt::CaseInsensitive) != 0 || escaped == u"General"_s)
        return escaped;
    return u'%' + QString::number(escaped[0].unicode(), 16).toUpper() + escaped.mid(1);
}

QString settingsKey(const QString &section, const QString &key)
{
    return escapedSection(section) + u'/' + escapedName(key);
}

// One line of the file as QSettings reads it, and the break that ends it:
// "\n", "\r\n", a "\r" alone outside quotes, or none at the end of the file.
struct Line
{
    QByteArray text;
    QByteArray lineBreak;
    // QSettings would read on past its end: a quote left open, or a
    // backslash before the break, swallows the lines after it.
    bool runsOn = false;
};

// The lines as QSettings reads them, except that a line never reads on past
// a "\n": such a line is one that runs on. A ';' outside quotes starts a
// comment, in which neither quotes nor backslashes mean anything.
QList<Line> splitLines(const QByteArray &content)
{
    QList<Line> lines;
    qsizetype start = 0;
    bool inQuotes = false;
    bool inComment = false;
    bool escapedEnd = false;
    const auto endLine = [&](qsizetype end, qsizetype breakLength, bool runsOn) {
        lines.append({content.mid(start, end - start), content.mid(end, breakLength), runsOn});
        start = end + breakLength;
        inQuotes = inComment = false;
    };
    const qsizetype size = content.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = content[i];
        const bool crlf = c == '\r' && i + 1 < size && content[i + 1] == '\n';
        if (c == '\n' || crlf || (c == '\r' && (!inQuotes || inComment))) {
            endLine(i, crlf ? 2 : 1, inQuotes && !inComment);
            i += crlf;
        } else if (inComment) {
            continue;
        } else if (c == ';' && !inQuotes) {
            inComment = true;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == '\\') {
            // An escaped character, a "\r" alone included, stays in the line;
            // an escaped "\n" or "\r\n" reads on, and so does a backslash
            // at the very end, or before a "\r" there, once a line break is
            // written after it.
            if (i + 1 == size || (i + 2 == size && content[i + 1] == '\r')) {
                escapedEnd = true;
                ++i;
            } else if (content[i + 1] == '\n' || (content[i + 1] == '\r' && i + 2 < size && content[i + 2] == '\n')) {
                const qsizetype breakLength = content[i + 1] == '\n' ? 1 : 2;
                endLine(i + 1, breakLength, true);
                i += breakLength;
            } else {
                ++i;
            }
        }
    }
    if (start < size)
        lines.append({content.mid(start), QByteArray(), (inQuotes && !inComment) || escapedEnd});
    return lines;
}

QByteArray joined(const QList<Line> &lines)
{
    QByteArray content;
    for (const Line &line : lines)
        content += line.text + line.lineBreak;
    return content;
}

// The file's bytes, empty when there is none yet; nothing when what lies
// at its place is not a regular file or cannot be read.
std::optional<QByteArray> readStore(const QString &path, Links links)
{
    PlainFileRead file = readPlainFile(path, kMaxStoreBytes, links);
    if (file.outcome == PlainFileRead::Refused)
        return std::nullopt;
    return std::move(file.bytes);
}

// A name already taken, by a copy made within the same millisecond or
// left from an earlier run, gets a number.
bool copyAside(const QString &path, const QByteArray &content)
{
    const QString stamped = path + u".bak-"_s + QDateTime::currentDateTimeUtc().toString(u"yyyyMMddHHmmsszzz"_s);
    QString target = stamped;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        if (n > 1000)
            return false;
        target = stamped + u'-' + QString::number(n);
    }
    return createPlainFile(target, content);
}

// The file without the lines that would swallow others, after copying it
// aside: only the settings on those lines then fall back to their defaults.
// The content as it stays when the copy or the repair cannot be written.
QByteArray withoutRunOnLines(const QString &path, const QByteArray &content, Links links)
{
    QList<Line> lines = splitLines(content);
    const auto kept = std::remove_if(lines.begin(), lines.end(), [](const Line &line) { return line.runsOn; });
    if (kept == lines.end() || !copyAside(path, content))
        return content;
    lines.erase(kept, lines.end());
    const QByteArray repaired = joined(lines);
    return replacePlainFile(path, repaired, links) ? repaired : content;
}

// The settings QSettings reads from content: it parses a copy of its own,
// so that it never opens what lies at a store's place itself. Null when the
// copy cannot be made.
std::unique_ptr<QSettings> parsed(const QTemporaryDir &scratch, const QString &name, const QByteArray &content)
{
    if (!scratch.isValid())
        return nullptr;
    const QString path = scratch.filePath(name);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.flush())
            return nullptr;
    }
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (settings->status() == QSettings::AccessError)
        return nullptr;
    return settings;
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

std::optional<SettingLines> settingLines(const QTemporaryDir &scratch, const QString &name, const QString &value)
{
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

// The section that a header line names, as QSettings reads it: what stands
// between '[' and the first ']', or the end of the line or a comment,
// trimmed; "General" in any case names the settings outside any section.
QByteArray sectionName(const QByteArray &header)
{
    qsizetype end = header.indexOf(']');
    const qsizetype comment = header.indexOf(';');
    if (comment >= 0 && !header.left(comment).contains('"') && (end < 0 || comment < end))
        end = comment;
    const QByteArray name = header.mid(1, end < 0 ? -1 : end - 1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return "General";
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return "%General";
    return name;
}

// The file with that setting's line put in place of its old one, or at the
// end of its section, or in a new section at the end (always there with
// atEnd); every other line is left as it was, byte for byte.
QByteArray withSetting(const QByteArray &content, const SettingLines &setting, bool atEnd)
{
    QList<Line> lines = splitLines(content);
    const QByteArray ending = !lines.isEmpty() && !lines.front().lineBreak.isEmpty() ? lines.front().lineBreak : "\n";
    const QByteArray section = sectionName(setting.header);

    qsizetype sectionEnd = -1; // after the section's last setting
    qsizetype found = -1;      // the setting's last line: the one QSettings reads
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size() && !atEnd; ++i) {
        const QByteArray &text = lines[i].text;
        const QByteArray trimmed = text.trimmed();
        if (trimmed.startsWith('[')) {
            inSection = sectionName(trimmed) == section;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection || trimmed.isEmpty())
            continue;
        sectionEnd = i + 1;
        const qsizetype equals = text.indexOf('=');
        if (equals > 0 && text.left(equals).trimmed() == setting.key)
            found = i;
    }
    if (found >= 0) {
        lines[found].text = setting.line;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, {setting.line, ending});
    } else {
        if (!lines.isEmpty() && !lines.back().text.trimmed().isEmpty())
            lines.append({QByteArray(), ending});
        lines.append({setting.header, ending});
        lines.append({setting.line, ending});
    }
    // Every line ends with a break, the last one too.
    for (Line &line : lines) {
        if (line.lineBreak.isEmpty())
            line.lineBreak = ending;
    }
    return joined(lines);
}

// A setting's value as text: an unquoted comma typed by hand makes QSettings
// read a list.
QString textOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

// Whether QSettings, reading content, reads that value for the setting.
bool readsBack(const QTemporaryDir &scratch, const QByteArray &content, const QString &name, const QString &value)
{
    const std::unique_ptr<QSettings> check = parsed(scratch, u"check.ini"_s, content);
    return check && textOf(check->value(name)) == value;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
    , m_links(isOwnFolder(QFileInfo(path).path(), Privacy::OthersMayRead) ? Links::Followed : Links::Refused)
{
    if (const std::optional<QByteArray> content = readStore(path, m_links))
        load(withoutRunOnLines(path, *content, m_links));
}

void IniFile::load(const QByteArray &content)
{
    const QTemporaryDir scratch;
    m_settings = parsed(scratch, u"store.ini"_s, content);
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (key.isEmpty() || !m_settings)
        return defaultValue;
    const QVariant value = m_settings->value(settingsKey(section, key));
    if (!value.isValid())
        return defaultValue;
    return textOf(value);
}

bool IniFile::write(const QString &section, const QString &key, const QString &value)
{
    // Writing over a file we could not read would replace everything in it.
    if (key.isEmpty() || !m_settings)
        return false;
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString name = settingsKey(section, key);
    const std::optional<SettingLines> setting = settingLines(scratch, name, value);
    if (!setting)
        return false;
    // Read again: another copy of the program may have written since.
    const std::optional<QByteArray> content = readStore(m_path, m_links);
    if (!content)
        return false;
    QByteArray updated = withSetting(*content, *setting, false);
    // A header typed in a way not taken here for the setting's section can
    // hold a later line of the same setting, which QSettings would read
    // instead: the setting then goes in a section of its own at the end.
    if (!readsBack(scratch, updated, name, value))
        updated = withSetting(*content, *setting, true);
    QDir().mkpath(QFileInfo(m_path).path());
    if (!replacePlainFile(m_path, updated, m_links))
        return false;
    load(updated);
    return true;
}

} // namespace stores
