#pragma once

// The element grid's columns. Column c (1 to 10) shows the element's
// property code c, so the order is fixed; column 0 is the row number. The
// header cell of each column holds its key, by which the grid's actions
// recognise a column wherever the user has moved its rows.

#include "page/PropertyCodes.h"

#include <QColor>
#include <QString>

#include <array>

namespace inspector {

struct ItemColumn
{
    QString key;
    QString caption;
};

extern const std::array<ItemColumn, 10> kItemColumns;

// Column 1 also holds the row's item number as its cell data, and the fill
// marker until the row is filled. Code 3 reads nothing: its column holds
// the click picture.
inline constexpr int kItemNoCol = kTagName;
inline constexpr int kTypeCol = kType;
inline constexpr int kClickCol = 3;
inline constexpr int kNameCol = kName;
inline constexpr int kValueCol = 5;
inline constexpr int kLinkCol = kHref;
inline constexpr int kTextCol = kInnerText;
inline constexpr int kInnerHtmlCol = kInnerHtml;
inline constexpr int kIdCol = kId;
inline constexpr int kLastItemCol = kId;

inline const QString kValueKey = QStringLiteral("Value");
inline const QString kNameKey = QStringLiteral("Name");
inline const QString kIdKey = QStringLiteral("ID");

// A filled cell's background: white when its property was read, pink when
// the read failed. A cell not yet filled has none of its own, and only a
// white Value cell may be edited.
inline const QColor kReadCellColor{255, 255, 255};
inline const QColor kFailedCellColor{255, 200, 200};

} // namespace inspector
