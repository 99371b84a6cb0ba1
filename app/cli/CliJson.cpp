#include "app/cli/CliJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

// A value as QJsonDocument writes it inside a container at that depth.
QString valueText(const QJsonValue &value, QJsonDocument::JsonFormat format, qsizetype indent)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(format);
    if (format == QJsonDocument::Compact)
        return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
    // "[\n    value\n]\n": the value's own lines, indented one level too few.
    QString inner = QString::fromUtf8(wrapped.mid(6, wrapped.size() - 6 - 3));
    inner.replace(u"\n    "_s, u'\n' + QString(indent, u' '));
    return inner;
}

QString keyText(const QString &key)
{
    return valueText(key, QJsonDocument::Compact, 0);
}

} // namespace

QString JsonLine(const JsonFields &fields)
{
    QStringList members;
    for (const auto &[key, value] : fields)
        members.append(keyText(key) + u':' + valueText(value, QJsonDocument::Compact, 0));
    return u'{' + members.join(u',') + u'}';
}

JsonRows::JsonRows(CliStdout &out, RowFormat format)
    : m_out(out)
    , m_format(format)
{
    if (m_format == RowFormat::Json)
        m_out << "[\n"_L1;
}

void JsonRows::append(const JsonFields &fields)
{
    if (m_format == RowFormat::JsonLines) {
        m_out << JsonLine(fields) << '\n';
        ++m_count;
        return;
    }
    QString object = m_count++ ? u",\n    {"_s : u"    {"_s;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        object += u"\n        "_s + keyText(fields[i].first) + u": "_s
                  + valueText(fields[i].second, QJsonDocument::Indented, 8);
        if (i + 1 < fields.size())
            object += u',';
    }
    m_out << object << "\n    }"_L1;
}

void JsonRows::finish()
{
    if (m_format != RowFormat::Json)
        return;
    m_out << (m_count ? "\n]\n"_L1 : "]\n"_L1);
}
