#include "platform/stores/ValueText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace stores {

using namespace Qt::StringLiterals;

namespace {

// Whole numbers may also be written as reals; they round half to even.
template<typename Int>
std::optional<Int> integerFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qint64 whole = trimmed.toLongLong(&ok);
    if (!ok) {
        const double real = trimmed.toDouble(&ok);
        if (!ok || !std::isfinite(real) || std::fabs(real) > 1e18)
            return std::nullopt;
        whole = qint64(std::nearbyint(real));
    }
    if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max())
        return std::nullopt;
    return Int(whole);
}

// The shortest plain decimal text that reads back to the same value.
template<typename Real>
QString realText(Real value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// Dates are held in UTC as plain wall-clock values, so that no
// daylight-saving gap can move them.
QDateTime wallClock(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

std::optional<QDateTime> dateFromDayNumber(double days)
{
    // The fraction is the time of day, also before the zero date.
    constexpr double lastDay = 2958465; // 9999-12-31
    if (!std::isfinite(days) || std::fabs(days) > lastDay)
        return std::nullopt;
    const double whole = std::trunc(days);
    const qint64 msecs = std::llround(std::fabs(days - whole) * 86400000.0);
    return zeroDate().addDays(qint64(whole)).addMSecs(msecs);
}

} // namespace

std::optional<qint16> int16FromText(const QString &text)
{
    return integerFromText<qint16>(text);
}

std::optional<qint32> int32FromText(const QString &text)
{
    return integerFromText<qint32>(text);
}

std::optional<float> floatFromText(const QString &text)
{
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> doubleFromText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> boolFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"True"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False"_s, Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = doubleFromText(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<QDateTime> dateFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (const std::optional<double> days = doubleFromText(trimmed))
        return dateFromDayNumber(*days);
    qsizetype split = trimmed.indexOf(u' ');
    if (split < 0)
        split = trimmed.indexOf(u'T');
    const QDate date = QDate::fromString(trimmed.left(split), Qt::ISODate);
    const QTime time = split < 0 ? QTime(0, 0) : QTime::fromString(trimmed.mid(split + 1).trimmed(), Qt::ISODate);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return wallClock(date, time);
}

QString textOf(qint32 value)
{
    return QString::number(value);
}

QString textOf(float value)
{
    return realText(value);
}

QString textOf(double value)
{
    return realText(value);
}

QString textOf(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

QString textOf(const QDateTime &value)
{
    return value.toString(value.time().msec() == 0 ? u"yyyy-MM-dd HH:mm:ss"_s : u"yyyy-MM-dd HH:mm:ss.zzz"_s);
}

QDateTime zeroDate()
{
    return wallClock(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace stores
