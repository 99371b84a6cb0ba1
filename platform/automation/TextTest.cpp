#include "platform/automation/TextTest.h"

#include "platform/automation/AutomationError.h"

#include <algorithm>

namespace automation {

bool TextTest::passes(const QString &text) const
{
    switch (kind) {
    case Kind::Listed:
        return texts.contains(text);
    case Kind::Unlisted:
        return !texts.contains(text);
    case Kind::Contains:
        return !text.isEmpty() && (longest <= 0 || text.size() <= longest)
               && std::all_of(texts.cbegin(), texts.cend(), [&](const QString &wanted) { return text.contains(wanted); });
    }
    return true;
}

bool failsATest(const QList<TextTest> &tests, const std::function<QVariant(const QString &member)> &get)
{
    bool fails = false;
    for (const TextTest &test : tests) {
        if (test.afterPassing && fails)
            continue;
        QVariant value;
        try {
            value = get(test.member);
        } catch (const AutomationError &error) {
            if (error.number() != AutomationError::MemberNotFound)
                return false;
            value = QString();
        }
        if (value.typeId() == QMetaType::QString && !test.passes(value.toString()))
            fails = true;
    }
    return fails;
}

} // namespace automation
