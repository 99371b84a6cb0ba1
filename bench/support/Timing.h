#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <functional>

namespace bench {

// How long work takes, in milliseconds.
inline double msOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// 0 for no values.
inline double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
