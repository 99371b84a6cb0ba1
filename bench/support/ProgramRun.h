#pragma once

#include <QByteArray>
#include <QStringList>

namespace bench {

struct ProgramRun
{
    bool ok = false; // exited with 0 in time
    double ms = 0;
    qint64 peakBytes = 0;
    QByteArray out;
    QByteArray err;
};

// Runs the program to its end with stdout and stderr in files, watching its
// peak memory meanwhile; one that outlasts five minutes is killed. The
// environment entries ("NAME=value") are added to this process's own.
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QStringList &environment = {});

} // namespace bench
