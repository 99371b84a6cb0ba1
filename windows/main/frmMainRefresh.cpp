#include "windows/main/frmMain.h"

#include "platform/automation/OperationBudget.h"
#include "windows/main/IeListRow.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/ControlRoutines.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/GridWrites.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/StatusTexts.h"

using namespace Qt::StringLiterals;
using automation::AutomationError;

// Rows follow the windows by position: a row takes whatever window is now
// at its place, and surplus rows go from the bottom.
void frmMain::tmrUpdate_Timer()
{
    // A browser that stopped answering costs one deadline, not one a call.
    const automation::OperationBudget budget;
    try {
        if (mRenewGateway) {
            gWebBrowser = std::make_unique<CWebBrowserHV>(mNewShellWindows());
            mRenewGateway = false;
        }
        const QList<BrowserListRow> rows = ReadBrowserList(*gWebBrowser);
        for (const BrowserListRow &row : rows)
            SetIeListRow(*fgIeList, row);
        shared::SetRowCount(*fgIeList, int(rows.size()) + 1);
        shared::FitNumberColumn(*fgIeList, rows.size());
        if (mNoBrowser) {
            mNoBrowser = false;
            shared::SetStatusText(u"Ready"_s);
        }
    } catch (const AutomationError &e) {
        // The list stays usable and empty; every tick asks again.
        shared::SetRowCount(*fgIeList, 1);
        shared::SetStatusText(QStringView(shared::kBrowserNotAnsweringText).toString() + e.summary());
        mNoBrowser = true;
        mRenewGateway = e.number() == AutomationError::ServerUnavailable;
    }
}
