#pragma once

#include "platform/automation/Automation.h"

#include <QString>
#include <QStringList>

#include <memory>

// The Chromium browsers at the endpoints given (each http://host:port or a
// browser's ws:// address), else those of VORLANE_DEVTOOLS, else the one
// Vorlane's profile records or 127.0.0.1:9222 and the user's own browsers
// that run with remote debugging. Throws CliUsageError for an
// address that cannot be used and for a variable that lists none.
std::shared_ptr<automation::ShellWindows> ConnectChromium(const QStringList &endpoints);

// Standard streams closed by the caller get /dev/null, opened so that a
// write to stdout fails: a socket opened later must not take their numbers.
void GuardStandardStreams();
