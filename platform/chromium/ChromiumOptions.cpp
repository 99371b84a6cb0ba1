#include "platform/chromium/ChromiumOptions.h"

namespace chromium {

std::chrono::milliseconds defaultCallTimeout()
{
    bool ok = false;
    const qint64 ms = qEnvironmentVariable("VORLANE_CALL_TIMEOUT_MS").toLongLong(&ok);
    return std::chrono::milliseconds(ok && ms >= 100 && ms <= 600000 ? ms : 2000);
}

} // namespace chromium
