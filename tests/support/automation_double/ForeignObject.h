#pragma once

#include "platform/automation/Automation.h"
#include "tests/support/automation_double/Scripted.h"

namespace automation::doubles {

// An automation object of some other type: a folder view, say.
class ForeignObject final : public Object, public Scripted
{
public:
    explicit ForeignObject(QString typeName)
        : Scripted(std::make_shared<Lifetime>())
        , m_typeName(std::move(typeName))
    {
    }

    QString typeName() const override
    {
        enter(QStringLiteral("typeName"));
        return m_typeName;
    }

private:
    QString m_typeName;
};

} // namespace automation::doubles
