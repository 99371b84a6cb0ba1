#pragma once

#include "page/ItemFilter.h"

// The settings key under which a filter remembers where it last found an
// element. Range and On flags are left out, so equal conditions share a key.
QString GetFilterKey(const ItemFilter &filter);
