#include "platform/automation/Automation.h"

#include <QLocale>

namespace automation {

using namespace Qt::StringLiterals;

QString automationText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? u"True"_s : u"False"_s;
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    default:
        return value.toString();
    }
}

} // namespace automation
