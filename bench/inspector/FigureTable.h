#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace bench {

// One figure of the run beside its baseline from the same run and its target.
struct Figure
{
    enum class Result { NoTarget, Met, Missed, NotFinished };

    QString what;
    QString value;
    QString baseline;
    QString target;
    Result result = Result::NoTarget;
    QString note;
};

QString msText(double ms);
QString mbText(double mb);

// Met when value is at most target; not finished without a value.
Figure::Result judge(std::optional<double> value, std::optional<double> target);

// Sections of figures, printed as one table.
class FigureTable
{
public:
    void section(const QString &title);
    void add(const Figure &figure);
    void print() const;

private:
    struct Line
    {
        QString title; // a section's, or empty for a figure
        Figure figure;
    };
    QList<Line> m_lines;
};

} // namespace bench
