#pragma once

#include <QString>

// The element member that a property code reads (1 "TagName" … 15 "Title"),
// or the empty text for a code that reads nothing (3, 11 and any code
// outside 1 to 15).
QString PropertyMember(qint32 vProperty);
