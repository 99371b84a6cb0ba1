#pragma once

#include <QString>

#include <ostream>

// Readable QString values in failed expectations.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
