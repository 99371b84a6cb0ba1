#pragma once

#include <QString>
#include <QStringList>

// A text as one TSV field: tab, carriage return, line feed and backslash
// written as \t, \r, \n and \\.
QString TsvField(const QString &text);
QString TsvLine(const QStringList &fields);
