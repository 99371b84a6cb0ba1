#pragma once

#include "platform/automation/Automation.h"

namespace automation {

// The two tests that both the browser gateway and the page model apply to
// an object; a failure while testing counts as "no".

// The object as a browser when its type name is exactly kBrowserTypeName.
BrowserPtr asBrowser(const ObjectPtr &object);

// The object as a browser that shows a web page: its address begins with
// "http", compared case-sensitively.
BrowserPtr asWebPage(const ObjectPtr &object);

} // namespace automation
