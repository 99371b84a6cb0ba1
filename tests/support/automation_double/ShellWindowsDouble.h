#pragma once

#include "platform/automation/Automation.h"
#include "tests/support/automation_double/BrowserDouble.h"
#include "tests/support/automation_double/Scripted.h"

#include <optional>

namespace automation::doubles {

// The scene of a test: the open browser windows, in the order they opened.
// Window handles are handed out in rising order unless the test names one.
// Its members: Count, Item, createBrowser (a new window at about:blank),
// typeName.
class ShellWindowsDouble final : public ShellWindows, public Scripted
{
public:
    explicit ShellWindowsDouble(QString homePage = QStringLiteral("http://home.test/"));

    QString typeName() const override;
    qint32 count() override;
    BrowserPtr item(qint32 index) override;
    BrowserPtr createBrowser() override;

    // For the test itself: no journal, no failures.
    std::shared_ptr<BrowserDouble> open(const QString &url, qint32 hwnd = 0);
    const QList<std::shared_ptr<BrowserDouble>> &windows() const { return *m_windows; }
    // A count no real desktop reaches (above 32767, say); items stay as they are.
    void reportCount(std::optional<qint32> count) { m_reportedCount = count; }

private:
    QString m_homePage;
    qint32 m_nextHwnd = 0x00010010;
    std::shared_ptr<QList<std::shared_ptr<BrowserDouble>>> m_windows;
    std::optional<qint32> m_reportedCount;
};

} // namespace automation::doubles
