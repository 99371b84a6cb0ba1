#include "platform/chromium/ConfiguredBrowsers.h"

#include "platform/chromium/ChromiumShellWindows.h"

namespace chromium {

std::shared_ptr<automation::ShellWindows> configuredShellWindows()
{
    return std::make_shared<ChromiumShellWindows>(configuredEndpoints());
}

} // namespace chromium
