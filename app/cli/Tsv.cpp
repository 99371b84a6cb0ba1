#include "app/cli/Tsv.h"

using namespace Qt::StringLiterals;

QString TsvField(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += u"\\\\"_s; break;
        case '\t': out += u"\\t"_s; break;
        case '\r': out += u"\\r"_s; break;
        case '\n': out += u"\\n"_s; break;
        default: out += c;
        }
    }
    return out;
}

QString TsvLine(const QStringList &fields)
{
    QStringList escaped;
    escaped.reserve(fields.size());
    for (const QString &field : fields)
        escaped.append(TsvField(field));
    return escaped.join(u'\t');
}
