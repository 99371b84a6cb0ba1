#include "tests/support/automation_double/ElementDouble.h"

namespace automation::doubles {

using namespace Qt::StringLiterals;

ElementDouble::ElementDouble(std::shared_ptr<Lifetime> page, const QVariantMap &members)
    : Scripted(std::move(page))
{
    for (auto it = members.cbegin(); it != members.cend(); ++it)
        set(it.key(), it.value());
    // Every element has an identity of its own, as in a browser.
    static qint64 made = 0;
    if (!has(u"uniqueID"_s))
        set(u"uniqueID"_s, QString(u"double_uid"_s + QString::number(++made)));
}

QString ElementDouble::typeName() const
{
    enter(u"typeName"_s);
    return u"HTMLElement"_s;
}

QVariant ElementDouble::get(const QString &member)
{
    enter(member);
    if (!has(member))
        throw AutomationError::memberNotFound(member, member);
    return value(member);
}

void ElementDouble::put(const QString &member, const QVariant &value)
{
    enterPut(member, value);
    if (!has(member))
        throw AutomationError::memberNotFound(member, member);
    set(member, value);
}

void ElementDouble::invoke(const QString &method)
{
    enter(method);
    if (method.compare(u"click"_s, Qt::CaseInsensitive) != 0
        && method.compare(u"focus"_s, Qt::CaseInsensitive) != 0)
        throw AutomationError::memberNotFound(method, method);
}

} // namespace automation::doubles
