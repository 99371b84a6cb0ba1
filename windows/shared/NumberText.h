#pragma once

// Numbers typed or shown as text, read as permissively as users type them.

#include <QString>

namespace shared {

// What TextToNumber gives for texts that carry no number: tiny positive
// values that no typed number produces, so callers can tell them apart.
inline constexpr double kBlankTextNumber = 1e-20;
inline constexpr double kNpTextNumber = 3e-21;
inline constexpr double kDashTextNumber = 2e-21;

// Length in UTF-16 units after narrowing and cutting leading and trailing
// spaces.
qint32 TrimmedLength(const QString &text);

// Blank text, "NP" and a lone "-" give the sentinels above; otherwise the
// value of the leading number, ignoring blanks, tabs and line feeds
// anywhere: decimal with sign, point and exponent, or &H hexadecimal and &O
// octal (up to 32 bits they read as a signed 32-bit value). Text without a
// number gives 0. Full-width forms count as their narrow ones.
double TextToNumber(const QString &text);

// The hexadecimal digits of text as a 32-bit signed value ("FFFFFFFF" is
// -1); empty text gives 0.
qint32 HexTextToLong(const QString &text);

// n in decimal, with the blank that stands where a minus sign would.
QString SignedNumberText(qint64 n);

// value rounded half to even; outside the 32-bit range it is an overflow
// error (automation::AutomationError) naming source.
qint32 RoundToLong(double value, const QString &source);

} // namespace shared
