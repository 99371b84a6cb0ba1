#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace bench {

struct BenchOptions
{
    QList<int> sizes{10000, 100000};
    bool runSizes = true;
    bool runStdtypes = true;
    bool runStall = true;
    int rounds = 3;
    std::chrono::seconds fillTimeout{60};
    int stallSize = 100000;
    std::chrono::seconds stopTime{10};
    QString pythonDoc = QStringLiteral("/usr/share/doc/python3/html/library/stdtypes.html");
};

// None, after printing the usage, for a command line that does not parse.
std::optional<BenchOptions> parseOptions(const QStringList &arguments);

} // namespace bench
