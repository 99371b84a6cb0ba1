#include "app/StartUp.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/stores/StoreFolder.h"
#include "settings/Settings.h"
#include "app/SingleInstance.h"
#include "platform/ui/UiServices.h"
#include "windows/ancillary/HtmlHelp.h"
#include "windows/ancillary/frmSplash.h"
#include "windows/main/MainGlobals.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Long enough to be read; the clock is monotonic, so midnight or a change of
// the system time cannot stretch it.
constexpr qint64 kSplashMinimumMs = 1000;

void waitUntilShownFor(const QElapsedTimer &shown)
{
    const qint64 left = kSplashMinimumMs - shown.elapsed();
    if (left <= 0)
        return;
    QEventLoop wait;
    QTimer::singleShot(int(left), &wait, &QEventLoop::quit);
    wait.exec();
}

void StartUp(const ShellWindowsFactory &newShellWindows, SettingsVariables &rSettings)
{
    ancillary::frmSplash splash;
    splash.show();
    // Painted only once the window system has mapped it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer shown;
    shown.start();

    InitializeApplication(rSettings);
    gAppHelpFile = ancillary::LocateHelpFile(QCoreApplication::applicationDirPath());

    auto *mainForm = new frmMain(newShellWindows, rSettings);
    mainForm->setAttribute(Qt::WA_DeleteOnClose);
    gMainForm = mainForm;

    waitUntilShownFor(shown);
    splash.close();
    mainForm->show();
}

} // namespace

void InitializeApplication(SettingsVariables &rSettings)
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    if (stores::othersCanChangeStoreFolder())
        ui::services().messageBox(u"設定の保存先は、ほかのユーザーも変更できるフォルダです。その中のリンクはたどらず、"
                                  u"二重起動も確かめません。保存先: "_s + stores::storeFolder(),
                                  kApplicationTitle, ui::MessageIcon::Warning);
    LoadSettings(rSettings);
    SaveSettings(rSettings);
}

int RunVorlane(const ShellWindowsFactory &newShellWindows)
{
    const SingleInstance instance;
    if (!instance.isFirst()) {
        ui::services().messageBox(u"すでにこのプログラムは起動しています！"_s, u"起動エラー"_s,
                                  ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return 1;
    }
    // Lives until the event loop has ended, as long as the main window.
    SettingsVariables settings;
    try {
        StartUp(newShellWindows, settings);
    } catch (const automation::AutomationError &e) {
        ui::services().messageBox(u"実行時エラー '"_s + QString::number(e.number()) + u"':\n\n"_s + e.description(),
                                  kApplicationTitle, ui::MessageIcon::Critical, ui::MessageButtons::Ok);
        return 1;
    }
    const int exitCode = QApplication::exec();
    // The main window's own deferred deletion may not have run yet.
    delete gMainForm;
    return exitCode;
}
