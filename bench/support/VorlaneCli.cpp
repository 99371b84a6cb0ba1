#include "bench/support/VorlaneCli.h"

namespace bench {

using namespace Qt::StringLiterals;

VorlaneCli::VorlaneCli(const QString &program, quint16 port, const QStringList &environment)
    : m_program(program)
    , m_endpoint(u"http://127.0.0.1:"_s + QString::number(port))
    , m_environment(environment)
{
}

QStringList VorlaneCli::arguments(const QStringList &command) const
{
    return QStringList{u"--endpoint"_s, m_endpoint} + command;
}

ProgramRun VorlaneCli::run(const QStringList &command) const
{
    return runProgram(m_program, arguments(command), m_environment);
}

QString VorlaneCli::handleOf(const QString &url, ProgramRun *listing) const
{
    const ProgramRun tabs = run({u"tabs"_s});
    if (listing)
        *listing = tabs;
    for (const QByteArray &line : tabs.out.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() >= 5 && QString::fromUtf8(fields[2]) == url)
            return QString::fromUtf8(fields[4]);
    }
    return {};
}

// An array of objects, indented by two spaces a level.
qsizetype VorlaneCli::jsonRows(const QByteArray &json)
{
    return json.count("\n    {");
}

} // namespace bench
