#pragma once

#include <QString>

#include <chrono>

namespace chromium {

// The deadline of a call unless told otherwise: VORLANE_CALL_TIMEOUT_MS, in
// milliseconds, else two seconds.
std::chrono::milliseconds defaultCallTimeout();

struct ChromiumOptions
{
    // The deadline of every call into the browser.
    std::chrono::milliseconds callTimeout = defaultCallTimeout();
    // How long one tab list answers the reads that follow it: one refresh
    // pass of the browser list then costs one round trip, not one per read.
    std::chrono::milliseconds listMaxAge{25};
    // Where GoHome goes; Chromium offers no home page of its own to ask for.
    QString homePage = QStringLiteral("about:blank");
};

} // namespace chromium
