#include "windows/inspector/TaggedText.h"

#include "platform/ui/UiServices.h"

#include <array>

namespace inspector {

using namespace Qt::StringLiterals;

namespace {

const std::array<QString, 11> &elementNames()
{
    static const std::array<QString, 11> names = {
        u"Handler"_s, u"Status"_s, u"WebPageID"_s, u"LocationURL"_s, u"FileName"_s, u"UpdateFinal"_s,
        u"Row"_s, u"StartTime"_s, u"ArrayNo"_s, u"ChallengeCard"_s, u"DateSpecify"_s,
    };
    return names;
}

void reportError(const QString &text)
{
    ui::services().messageBox(text, u"Error(GetElementStr)"_s);
}

// SetElementValue and GetElementValue name no array: they serve every
// element but 8.
constexpr qint16 kNoArray = -1;

} // namespace

QString GetElementStr(qint16 elementNo, qint16 arrayNo)
{
    if (elementNo < 0 || elementNo >= qint16(elementNames().size())) {
        reportError(u"対応外Element"_s);
        return {};
    }
    if (elementNo != kElementArrayNo)
        return elementNames()[elementNo];
    if (arrayNo < 0)
        reportError(u"要素数指定エラーArray"_s);
    return elementNames()[elementNo] + QString::number(arrayNo);
}

QString MakeElementStr(qint16 elementNo, const QString &value, qint16 arrayNo, bool force)
{
    if (value.isEmpty() && !force)
        return {};
    const QString name = GetElementStr(elementNo, arrayNo);
    return u'<' + name + u'>' + value + u"</"_s + name + u'>';
}

std::optional<QString> ExtractElementStr(QString &text, qint16 elementNo, bool remove, qint16 arrayNo)
{
    const QString name = GetElementStr(elementNo, arrayNo);
    const QString open = u'<' + name + u'>';
    const QString close = u"</"_s + name + u'>';
    const qsizetype openAt = text.indexOf(open);
    if (openAt < 0)
        return std::nullopt;
    // The closing tag that belongs to this opening one; a stray closing tag
    // in front of it must not hide the element for good.
    const qsizetype valueAt = openAt + open.size();
    const qsizetype closeAt = text.indexOf(close, valueAt);
    if (closeAt < 0)
        return std::nullopt;
    const QString value = text.mid(valueAt, closeAt - valueAt);
    if (remove)
        text.remove(openAt, closeAt + close.size() - openAt);
    return value;
}

QString SetElementValue(const QString &text, qint16 elementNo, const QString &value)
{
    QString rest = text;
    ExtractElementStr(rest, elementNo, true, kNoArray);
    return rest + MakeElementStr(elementNo, value, kNoArray, false);
}

QString GetElementValue(const QString &text, qint16 elementNo)
{
    QString copy = text;
    return ExtractElementStr(copy, elementNo, false, kNoArray).value_or(QString());
}

} // namespace inspector
