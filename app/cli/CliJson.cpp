#include "app/cli/CliJson.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

char hexDigit(uint value)
{
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

void appendEscape(char *&cursor, char16_t unit)
{
    *cursor++ = '\\';
    switch (unit) {
    case u'"': *cursor++ = '"'; return;
    case u'\\': *cursor++ = '\\'; return;
    case u'\b': *cursor++ = 'b'; return;
    case u'\f': *cursor++ = 'f'; return;
    case u'\n': *cursor++ = 'n'; return;
    case u'\r': *cursor++ = 'r'; return;
    case u'\t': *cursor++ = 't'; return;
    default:
        *cursor++ = 'u';
        for (const int shift : {12, 8, 4, 0})
            *cursor++ = hexDigit((unit >> shift) & 0xf);
    }
}

// Whitespace of QJsonDocument's indented form: four blanks a level.
void appendIndent(QByteArray &json, int level)
{
    json.append(qsizetype(4) * level, ' ');
}

// The items of an array or the members of an object, laid out as
// QJsonDocument lays them out at that level.
template <typename WriteItem>
void appendContainer(QByteArray &json, char open, char close, qsizetype count, int level, bool compact,
                     WriteItem writeItem)
{
    json += open;
    if (!compact)
        json += '\n';
    for (qsizetype i = 0; i < count; ++i) {
        if (!compact)
            appendIndent(json, level + 1);
        writeItem(i);
        if (i + 1 < count)
            json += compact ? "," : ",\n";
        else if (!compact)
            json += '\n';
    }
    if (!compact)
        appendIndent(json, level);
    json += close;
}

void appendValue(QByteArray &json, const JsonValue &value, int level, bool compact)
{
    if (std::holds_alternative<std::nullptr_t>(value)) {
        json += "null";
    } else if (const qint64 *number = std::get_if<qint64>(&value)) {
        json += QByteArray::number(*number);
    } else if (const QString *text = std::get_if<QString>(&value)) {
        AppendJsonString(json, *text);
    } else {
        const QList<qint64> &numbers = std::get<QList<qint64>>(value);
        appendContainer(json, '[', ']', numbers.size(), level, compact,
                        [&](qsizetype i) { json += QByteArray::number(numbers[i]); });
    }
}

void appendObject(QByteArray &json, const JsonFields &fields, int level, bool compact)
{
    appendContainer(json, '{', '}', fields.size(), level, compact, [&](qsizetype i) {
        AppendJsonString(json, fields[i].first);
        json += compact ? ":" : ": ";
        appendValue(json, fields[i].second, level + 1, compact);
    });
}

} // namespace

void AppendJsonString(QByteArray &json, QStringView text)
{
    // Room for the worst case of each block: six bytes for a unit escaped.
    constexpr qsizetype kBlock = 4096;
    json += '"';
    const char16_t *src = text.utf16();
    const char16_t *const end = src + text.size();
    while (src != end) {
        const char16_t *const blockEnd = src + std::min(kBlock, qsizetype(end - src));
        const qsizetype start = json.size();
        json.resize(start + 6 * (blockEnd - src) + 6);
        char *cursor = json.data() + start;
        while (src < blockEnd) {
            const char16_t unit = *src++;
            if (unit < 0x80) {
                if (unit < 0x20 || unit == u'"' || unit == u'\\')
                    appendEscape(cursor, unit);
                else
                    *cursor++ = char(unit);
            } else if (unit < 0x800) {
                *cursor++ = char(0xc0 | (unit >> 6));
                *cursor++ = char(0x80 | (unit & 0x3f));
            } else if (!QChar::isSurrogate(unit)) {
                *cursor++ = char(0xe0 | (unit >> 12));
                *cursor++ = char(0x80 | ((unit >> 6) & 0x3f));
                *cursor++ = char(0x80 | (unit & 0x3f));
            } else if (QChar::isHighSurrogate(unit) && src != end && QChar::isLowSurrogate(*src)) {
                // A pair may straddle the block's end: the block's room holds it.
                const char32_t point = QChar::surrogateToUcs4(unit, *src++);
                *cursor++ = char(0xf0 | (point >> 18));
                *cursor++ = char(0x80 | ((point >> 12) & 0x3f));
                *cursor++ = char(0x80 | ((point >> 6) & 0x3f));
                *cursor++ = char(0x80 | (point & 0x3f));
            } else {
                // A lone surrogate has no UTF-8: Qt writes it escaped.
                appendEscape(cursor, unit);
            }
        }
        json.resize(cursor - json.constData());
    }
    json += '"';
}

QString JsonLine(const JsonFields &fields)
{
    QByteArray json;
    appendObject(json, fields, 0, true);
    return QString::fromUtf8(json);
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
    m_row.resize(0);
    if (m_format == RowFormat::JsonLines) {
        appendObject(m_row, fields, 0, true);
        m_row += '\n';
    } else {
        m_row += m_count ? ",\n    " : "    ";
        appendObject(m_row, fields, 1, false);
    }
    ++m_count;
    m_out.writeUtf8(m_row);
}

void JsonRows::finish()
{
    if (m_format != RowFormat::Json)
        return;
    m_out << (m_count ? "\n]\n"_L1 : "]\n"_L1);
}
