#pragma once

#include "bench/support/ProgramRun.h"

#include <QString>
#include <QStringList>

namespace bench {

// The built vorlane-cli, run against one browser's debugging port.
class VorlaneCli
{
public:
    // environment: entries ("NAME=value") each run adds to this process's own.
    VorlaneCli(const QString &program, quint16 port, const QStringList &environment = {});

    // The command's arguments after the endpoint option.
    QStringList arguments(const QStringList &command) const;
    ProgramRun run(const QStringList &command) const;
    // The handle of the tab that shows url, as `tabs` lists it; empty when it
    // does not. The run of `tabs` goes to listing when given.
    QString handleOf(const QString &url, ProgramRun *listing = nullptr) const;
    // The rows of what `elements --json` printed.
    static qsizetype jsonRows(const QByteArray &json);

private:
    QString m_program;
    QString m_endpoint;
    QStringList m_environment;
};

} // namespace bench
