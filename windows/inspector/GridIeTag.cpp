#include "windows/inspector/GridIeTag.h"

#include "windows/inspector/TaggedText.h"
#include "windows/shared/NumberText.h"

#include <QObject>
#include <QVariant>

namespace inspector {

using namespace Qt::StringLiterals;

namespace {

constexpr char kTagProperty[] = "tag";

void setTagElement(QObject &grid, qint16 elementNo, const QString &value)
{
    const QString tag = grid.property(kTagProperty).toString();
    grid.setProperty(kTagProperty, SetElementValue(tag, elementNo, value));
}

} // namespace

void SetGridIeHandle(QObject &grid, qint32 hWnd)
{
    setTagElement(grid, kElementHandler, QString::number(hWnd));
}

void SetGridIeUrl(QObject &grid, const QString &url)
{
    setTagElement(grid, kElementLocationURL, url);
}

qint32 GetGridIeHandle(const QObject &grid)
{
    const QString handle = GetElementValue(grid.property(kTagProperty).toString(), kElementHandler);
    return shared::RoundToLong(shared::TextToNumber(handle), u"GetGridIeHandle"_s);
}

} // namespace inspector
