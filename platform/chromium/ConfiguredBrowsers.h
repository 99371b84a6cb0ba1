#pragma once

#include "platform/automation/Automation.h"

#include <memory>

namespace chromium {

// The shell window collection over the configured DevTools endpoints.
std::shared_ptr<automation::ShellWindows> configuredShellWindows();

} // namespace chromium
