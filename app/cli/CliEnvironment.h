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

// Without XDG_RUNTIME_DIR, Qt warns on every call and the window handle
// registry goes where Qt would put it. This finds that folder quietly: it
// sets XDG_RUNTIME_DIR to Qt's own fallback when that is a private folder of
// this user, else keeps the handles in the temporary folder and returns the
// one line that says so.
QString PrepareRuntimeFolder();

// Standard streams closed by the caller get /dev/null, opened so that a
// write to stdout fails: a socket opened later must not take their numbers.
void GuardStandardStreams();
