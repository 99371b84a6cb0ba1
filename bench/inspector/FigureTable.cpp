#include "bench/inspector/FigureTable.h"

#include <cstdio>

namespace bench {

using namespace Qt::StringLiterals;

namespace {

QString resultText(Figure::Result result)
{
    switch (result) {
    case Figure::Result::Met: return u"pass"_s;
    case Figure::Result::Missed: return u"FAIL"_s;
    case Figure::Result::NotFinished: return u"not finished"_s;
    case Figure::Result::NoTarget: break;
    }
    return u"-"_s;
}

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

QString msText(double ms)
{
    if (ms >= 1000)
        return u"%1 s"_s.arg(ms / 1000, 0, 'f', 2);
    return u"%1 ms"_s.arg(ms, 0, 'f', ms < 10 ? 1 : 0);
}

QString mbText(double mb)
{
    return u"%1 MB"_s.arg(mb, 0, 'f', 0);
}

Figure::Result judge(std::optional<double> value, std::optional<double> target)
{
    if (!value)
        return Figure::Result::NotFinished;
    if (!target)
        return Figure::Result::NoTarget;
    return *value <= *target ? Figure::Result::Met : Figure::Result::Missed;
}

void FigureTable::section(const QString &title)
{
    m_lines.append({title, {}});
}

void FigureTable::add(const Figure &figure)
{
    m_lines.append({{}, figure});
}

void FigureTable::print() const
{
    const auto row = [](const QString &what, const QString &value, const QString &baseline, const QString &target,
                        const QString &result) -> QString {
        return u"  "_s + what.leftJustified(41) + u' ' + value.leftJustified(12) + u' ' + baseline.leftJustified(42)
               + u' ' + target.leftJustified(11) + u' ' + result;
    };
    printLine(row(u"figure"_s, u"value"_s, u"baseline"_s, u"target"_s, u"result"_s));
    for (const Line &line : m_lines) {
        if (!line.title.isEmpty()) {
            printLine(line.title);
            continue;
        }
        const Figure &f = line.figure;
        QString result = resultText(f.result);
        if (!f.note.isEmpty())
            result += u" ("_s + f.note + u')';
        printLine(row(f.what, f.value, f.baseline, f.target.isEmpty() ? u"-"_s : f.target, result));
    }
    std::fflush(stdout);
}

} // namespace bench
