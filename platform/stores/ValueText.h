#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace stores {

// Stored values travel as text. Each reader returns nothing for text that
// does not convert to its type (or overflows it), so that the caller can
// fall back to a default; each writer's text reads back to the same value.

std::optional<qint16> int16FromText(const QString &text);
std::optional<qint32> int32FromText(const QString &text);
std::optional<float> floatFromText(const QString &text);
std::optional<double> doubleFromText(const QString &text);
// The words True and False in any case, or a number: 0 is false.
std::optional<bool> boolFromText(const QString &text);
// yyyy-MM-dd, optionally followed by a blank or T and a time, or a number
// of days since the zero date.
std::optional<QDateTime> dateFromText(const QString &text);

QString textOf(qint32 value);
QString textOf(float value);
QString textOf(double value);
QString textOf(bool value);
QString textOf(const QDateTime &value);

// 1899-12-30 00:00, day 0 of the date numbering.
QDateTime zeroDate();

} // namespace stores
