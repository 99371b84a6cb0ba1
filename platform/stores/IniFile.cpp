#include "platform/stores/IniFile.h"

#include <QDateTime>
#include <QFile>

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

// Comments and lines that are neither a section nor key=value do not
// survive a rewrite by QSettings.
bool holdsLinesARewriteDrops(const QByteArray &content)
{
    for (const QByteArray &rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || (line.startsWith('[') && line.endsWith(']')))
            continue;
        if (line.startsWith(';') || line.startsWith('#') || !line.contains('='))
            return true;
    }
    return false;
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
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
    if (key.isEmpty() || !m_readable || !setAsideHandEdits())
        return false;
    m_settings.setValue(settingsKey(section, key), value);
    m_settings.sync();
    return m_settings.status() != QSettings::AccessError;
}

// Before the first write, a file edited by hand into lines QSettings would
// drop is copied aside, so that nothing typed into it is lost.
bool IniFile::setAsideHandEdits()
{
    if (m_checkedHandEdits)
        return true;
    QFile file(m_path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        if (holdsLinesARewriteDrops(file.readAll())) {
            const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMddHHmmsszzz"_s);
            if (!file.copy(m_path + u".bak-"_s + stamp))
                return false;
        }
    }
    m_checkedHandEdits = true;
    return true;
}

} // namespace stores
