#pragma once

#include "platform/automation/AutomationError.h"

namespace chromium {

// The source every error of this backend names.
const QString &errorSource();

// A protocol failure, classified once where it is found. The kind decides
// the error number, so that no caller has to read a message to tell a
// closed tab from a navigated page or a browser that is not answering.
class CdpError : public automation::AutomationError
{
public:
    enum class Kind {
        TabClosed,          // 462: the tab or its session has gone
        TabCrashed,         // 462: the tab's page crashed
        ContextGone,        // 70: the page navigated away from the document
        DeadlinePassed,     // 440, unanswered: no answer in time, or none since an earlier call ran out
        BrowserUnreachable, // 462: the socket closed or never opened
        Rejected,           // 440: the browser refused the command
        Garbled,            // 440: an answer that cannot be decoded
        ScriptThrew,        // 440: a script of ours threw in the page
        DialogOpen,         // 440: a dialog blocks the page, so the call was not sent
        DialogOpened,       // 440: the page opened a dialog while our script ran in it
    };

    CdpError(Kind kind, const QString &detail);
    Kind kind() const { return m_kind; }

    // Chromium answers every refusal with the same code; only its message
    // tells a closed target or a destroyed context from a bad command.
    static CdpError fromProtocol(const QString &method, const QString &message);

private:
    Kind m_kind;
};

} // namespace chromium
