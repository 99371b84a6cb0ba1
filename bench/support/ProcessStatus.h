#pragma once

#include <QByteArray>
#include <QString>

namespace bench {

// A memory field of a process's status ("VmRSS", "VmHWM") in bytes; 0 when
// the process or the field is gone. "self" names this process.
qint64 statusBytes(const QString &process, const QByteArray &field);

} // namespace bench
