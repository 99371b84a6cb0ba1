#pragma once

// Several named values kept in one string, each as <name>value</name>, one
// after another with nothing between them and in no particular order.
// Values are kept verbatim and must not contain their own closing tag.

#include <QString>

#include <optional>

namespace inspector {

inline constexpr qint16 kElementHandler = 0;
inline constexpr qint16 kElementLocationURL = 3;
// Element 8 takes its array number into its name: ArrayNo3.
inline constexpr qint16 kElementArrayNo = 8;

// The element's name. An element number outside 0 to 10, or a negative
// array number for element 8, is reported in a message box; the name is
// then empty, or built from the negative number.
QString GetElementStr(qint16 elementNo, qint16 arrayNo);

// The element holding value; empty when value is empty, unless force.
QString MakeElementStr(qint16 elementNo, const QString &value, qint16 arrayNo, bool force);

// The value of the first element in text, or none when text has no
// complete element (an opening tag followed by its closing tag). With
// remove, a found element is cut out of text.
std::optional<QString> ExtractElementStr(QString &text, qint16 elementNo, bool remove, qint16 arrayNo);

// text with the element holding value, moved to the end; an empty value
// removes it.
QString SetElementValue(const QString &text, qint16 elementNo, const QString &value);
// The element's value; empty when there is none.
QString GetElementValue(const QString &text, qint16 elementNo);

} // namespace inspector
