#include "windows/shared/NumberText.h"

#include "platform/automation/AutomationError.h"
#include "windows/shared/Narrowing.h"

#include <QByteArray>

#include <cmath>
#include <limits>

namespace shared {

using namespace Qt::StringLiterals;

namespace {

QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == u' ')
        ++first;
    while (end > first && text.at(end - 1) == u' ')
        --end;
    return text.mid(first, end - first);
}

QString withoutBlanks(const QString &text)
{
    QString out = text;
    out.removeIf([](QChar ch) { return ch == u' ' || ch == u'\t' || ch == u'\n'; });
    return out;
}

int digitValue(QChar ch, int base)
{
    const char16_t u = ch.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// &H and &O numbers. Up to 32 bits they are two's complement, as a handle
// written in hexadecimal is; longer ones keep their plain value.
double readBasedNumber(const QString &digits, int base)
{
    double value = 0;
    for (const QChar ch : digits) {
        const int digit = digitValue(ch, base);
        if (digit < 0)
            break;
        value = value * base + digit;
    }
    if (value <= std::numeric_limits<quint32>::max())
        return qint32(quint32(value));
    return value;
}

qsizetype skipDigits(const QString &text, qsizetype at)
{
    while (at < text.size() && text.at(at).isDigit() && text.at(at).unicode() < 0x80)
        ++at;
    return at;
}

double readDecimalNumber(const QString &text)
{
    qsizetype at = 0;
    if (at < text.size() && (text.at(at) == u'+' || text.at(at) == u'-'))
        ++at;
    const qsizetype integerEnd = skipDigits(text, at);
    qsizetype end = integerEnd;
    bool anyDigit = integerEnd > at;
    if (end < text.size() && text.at(end) == u'.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0;
    if (end < text.size() && text.at(end) == u'E') {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text.at(exponent) == u'+' || text.at(exponent) == u'-'))
            ++exponent;
        const qsizetype exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    const QByteArray number = text.left(end).toLatin1();
    bool inRange = false;
    const double value = number.toDouble(&inRange);
    if (inRange)
        return value;
    // Beyond a double: too small is zero, too large is infinity, which no
    // caller mistakes for a small number.
    if (number.contains("E-"))
        return 0;
    return number.startsWith('-') ? -HUGE_VAL : HUGE_VAL;
}

double readNumber(const QString &upperNarrowText)
{
    const QString text = withoutBlanks(upperNarrowText);
    if (text.startsWith(u"&H"_s))
        return readBasedNumber(text.mid(2), 16);
    if (text.startsWith(u"&O"_s))
        return readBasedNumber(text.mid(2), 8);
    return readDecimalNumber(text);
}

} // namespace

qint32 TrimmedLength(const QString &text)
{
    return qint32(trimSpaces(NarrowText(text)).size());
}

double TextToNumber(const QString &text)
{
    const QString t = NarrowText(trimSpaces(text).toUpper());
    if (TrimmedLength(t) == 0)
        return kBlankTextNumber;
    if (t == u"NP"_s)
        return kNpTextNumber;
    if (t == u"-"_s)
        return kDashTextNumber;
    return readNumber(t);
}

qint32 HexTextToLong(const QString &text)
{
    return RoundToLong(TextToNumber(u"&h"_s + text), u"HexTextToLong"_s);
}

qint32 RoundToLong(double value, const QString &source)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        throw automation::AutomationError::overflow(source);
    return qint32(rounded);
}

QString SignedNumberText(qint64 n)
{
    return n < 0 ? QString::number(n) : u" "_s + QString::number(n);
}

} // namespace shared
