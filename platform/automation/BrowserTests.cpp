#include "platform/automation/BrowserTests.h"

#include "platform/automation/Absorb.h"

using namespace Qt::StringLiterals;

namespace automation {

BrowserPtr asBrowser(const ObjectPtr &object)
{
    BrowserPtr browser = std::dynamic_pointer_cast<Browser>(object);
    if (!browser)
        return nullptr;
    const QString typeName = absorbed(QString(), [&] { return browser->typeName(); });
    return typeName == kBrowserTypeName ? browser : nullptr;
}

BrowserPtr asWebPage(const ObjectPtr &object)
{
    BrowserPtr browser = asBrowser(object);
    if (!browser)
        return nullptr;
    const QString url = absorbed(QString(), [&] { return browser->locationURL(); });
    return url.startsWith(u"http"_s) ? browser : nullptr;
}

} // namespace automation
