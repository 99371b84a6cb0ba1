#include "page/PropertyCodes.h"

#include <array>

using namespace Qt::StringLiterals;

QString PropertyMember(qint32 vProperty)
{
    static const std::array<QString, 16> members{
        QString(), u"TagName"_s, u"Type"_s, QString(), u"Name"_s, u"Value"_s, u"alt"_s, u"href"_s,
        u"innerText"_s, u"innerhtml"_s, u"id"_s, QString(), u"Text"_s, u"outerhtml"_s, u"UniqueID"_s, u"Title"_s};
    if (vProperty < 0 || vProperty >= qint32(members.size()))
        return {};
    return members[size_t(vProperty)];
}
