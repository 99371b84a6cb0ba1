#pragma once

#include "platform/chromium/CdpTransport.h"

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
    // How long one tab list answers the reads that follow it while no tab
    // event says it changed: the events keep it current, and asking again
    // now and then finds a browser that stopped answering. A list pass of
    // hundreds of tabs then costs no round trip at most ticks.
    std::chrono::milliseconds listMaxAge{1000};
    // Our helper keeps its answers to about a megabyte of text and a tab
    // list of thousands of tabs is a few; a far bigger message is not one we
    // asked for, and the socket closes rather than take it in.
    CdpTransportFactory transport = webSocketTransport(64 * 1024 * 1024);
    // Where GoHome goes; Chromium offers no home page of its own to ask for.
    QString homePage = QStringLiteral("about:blank");
};

} // namespace chromium
