#pragma once

#include "page/ItemFilter.h"
#include "page/ReadFailures.h"

#include <QList>

#include <functional>

// The property codes that the active categories of a filter read.
QList<qint32> FilterCodes(const ItemFilter &filter);

// Whether one element passes every active category. Properties are asked of
// `read` by code, in category order: tag, type (only after the tag passed),
// inner mark-up, tooltip, link, identifier, name; every active category
// reads its property, whatever the ones before it decided.
bool ItemMatches(const ItemFilter &filter, const std::function<ItemText(qint32 code)> &read);
