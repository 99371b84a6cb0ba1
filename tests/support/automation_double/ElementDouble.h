#pragma once

#include "platform/automation/Automation.h"
#include "tests/support/automation_double/Scripted.h"

#include <QVariantMap>

namespace automation::doubles {

// An element of a scripted page. Its members are what the test gave it and
// a uniqueID of its own; reading or writing any other is MemberNotFound. "click" and "focus" can
// always be invoked and are only journalled.
class ElementDouble final : public Element, public Scripted
{
public:
    ElementDouble(std::shared_ptr<Lifetime> page, const QVariantMap &members);

    QString typeName() const override;
    QVariant get(const QString &member) override;
    void put(const QString &member, const QVariant &value) override;
    void invoke(const QString &method) override;

    // For the test itself: no journal, no failures, no lifetime.
    QVariant value(const QString &member) const { return m_members.value(member.toLower()); }
    bool has(const QString &member) const { return m_members.contains(member.toLower()); }
    void set(const QString &member, const QVariant &value) { m_members.insert(member.toLower(), value); }

private:
    QVariantHash m_members;
};

} // namespace automation::doubles
