#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace stores {

// The whole file when it is a regular file of at most maxBytes, opened
// without following a link (one planted to send us elsewhere) and without
// waiting on a pipe (which would hold the open until someone writes into
// it); nothing otherwise, also when it grew past maxBytes while read.
std::optional<QByteArray> readPlainFile(const QString &path, qsizetype maxBytes);

} // namespace stores
