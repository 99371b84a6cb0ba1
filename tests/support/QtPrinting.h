#pragma once

#include <QDateTime>
#include <QString>

#include <ostream>

// Readable failure messages for Qt values.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QDateTime &value, std::ostream *out)
{
    *out << value.toString(Qt::ISODateWithMs).toStdString();
}
