#include "windows/inspector/ItemColumns.h"

using namespace Qt::StringLiterals;

namespace inspector {

const std::array<ItemColumn, 10> kItemColumns = {{
    {u"TagName"_s, u"TagName"_s},
    {u"Type"_s, u"type"_s},
    {u"Click"_s, u"クリック"_s},
    {kNameKey, u"Name"_s},
    {kValueKey, u"値"_s},
    {u"alt"_s, u"ツールチップ "_s},
    {u"href"_s, u"リンク"_s},
    {u"innerText"_s, u"innerText"_s},
    {u"innerHtml"_s, u"innerHtml"_s},
    {kIdKey, u"id"_s},
}};

} // namespace inspector
