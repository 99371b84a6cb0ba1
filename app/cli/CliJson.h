#pragma once

#include "app/cli/CliIo.h"

#include <QJsonValue>
#include <QList>
#include <QString>

#include <utility>

// A JSON object whose keys keep the order given: scripts read our output by
// the documented order, which QJsonObject would sort away.
using JsonFields = QList<std::pair<QString, QJsonValue>>;

// The object on one line, compact.
QString JsonLine(const JsonFields &fields);

// How rows are written: tab-separated text, one JSON array, or one JSON
// object per line.
enum class RowFormat { Text, Json, JsonLines };

// Writes rows of a JSON format as they come: an array laid out as
// QJsonDocument's indented form lays it out, or one object per line.
class JsonRows
{
public:
    JsonRows(CliStdout &out, RowFormat format);
    void append(const JsonFields &fields);
    // Closes the array; nothing for lines.
    void finish();

private:
    CliStdout &m_out;
    RowFormat m_format;
    qsizetype m_count = 0;
};
