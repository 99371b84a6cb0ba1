#pragma once

#include "app/cli/CliIo.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>
#include <variant>

// What a row holds: null, a whole number, a text, or a list of whole numbers.
using JsonValue = std::variant<std::nullptr_t, qint64, QString, QList<qint64>>;

// A JSON object whose keys keep the order given: scripts read our output by
// the documented order, which QJsonObject would sort away.
using JsonFields = QList<std::pair<QString, JsonValue>>;

// The object on one line, compact.
QString JsonLine(const JsonFields &fields);

// Appends text as a JSON string, in UTF-8, escaped as QJsonDocument escapes
// it: our output stays the same to the byte as when Qt wrote it.
void AppendJsonString(QByteArray &json, QStringView text);

// How rows are written: tab-separated text, one JSON array, or one JSON
// object per line.
enum class RowFormat { Text, Json, JsonLines };

// Writes rows of a JSON format as they come, straight into UTF-8: an array
// laid out as QJsonDocument's indented form lays it out, or one object per
// line.
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
    QByteArray m_row; // kept between rows, so that its room is reused
};
