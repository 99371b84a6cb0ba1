#pragma once

#include <QString>

// The element member that a property code reads (1 "TagName" … 15 "Title"),
// or the empty text for a code that reads nothing (3, 11 and any code
// outside 1 to 15).
QString PropertyMember(qint32 vProperty);

// The codes that the filter and the element actions read by.
inline constexpr qint32 kTagName = 1;
inline constexpr qint32 kType = 2;
inline constexpr qint32 kName = 4;
inline constexpr qint32 kAlt = 6;
inline constexpr qint32 kHref = 7;
inline constexpr qint32 kInnerText = 8;
inline constexpr qint32 kInnerHtml = 9;
inline constexpr qint32 kId = 10;
// An identity of the element for its page's life, by which a later read
// finds it again wherever it moved.
inline constexpr qint32 kUniqueId = 14;
