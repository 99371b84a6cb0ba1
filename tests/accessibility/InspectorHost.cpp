// The browser list and the page inspector over the automation double,
// filled and left on screen for accessibility_check.py to read over the
// accessibility bus. Prints "ready" once both lists are filled, then
// "clicked ID" each time the page's element ID is clicked, and runs until
// it is killed. The store folder is $VORLANE_CONFIG_DIR.
#include "platform/stores/MemoryProgramSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsVariables.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/frmMain.h"
#include "windows/shared/ListGrid.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// An element without a value (a null one) lacks the member, so its 値 cell
// is pink and cannot be edited.
void addElement(automation::doubles::BrowserDouble &browser, const QString &tag, const QString &type,
                const QString &name, const QString &value, const QString &href, const QString &text,
                const QString &id)
{
    QVariantMap members;
    members.insert(u"tagName"_s, tag);
    members.insert(u"type"_s, type);
    members.insert(u"name"_s, name);
    members.insert(u"value"_s, value);
    members.insert(u"alt"_s, QString());
    members.insert(u"href"_s, href);
    members.insert(u"innerText"_s, text);
    members.insert(u"innerHTML"_s, text);
    members.insert(u"id"_s, id);
    if (value.isNull())
        members.remove(u"value"_s);
    browser.page()->addElement(members)->onEnter(u"click"_s, [id] {
        std::printf("clicked %s\n", qPrintable(id));
        std::fflush(stdout);
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"vorlane-accessibility-host"_s);

    auto shell = std::make_shared<automation::doubles::ShellWindowsDouble>();
    auto browser = shell->open(u"http://a.test/"_s);
    addElement(*browser, u"INPUT"_s, u"text"_s, u"q"_s, u"検索語"_s, {}, {}, u"query"_s);
    addElement(*browser, u"A"_s, {}, u"next"_s, {}, u"http://b.test/"_s, u"次のページ"_s, u"link1"_s);
    addElement(*browser, u"DIV"_s, {}, {}, {}, {}, u"本文"_s, u"main"_s);

    ui::RecordingUiServices ui;
    // The inspector that a row's "詳細" opens takes the program's services.
    ui::ScopedServices services(ui);
    SettingsVariables settings;
    LoadSettings(settings);
    // It makes the gateway and lends the inspector its status panel and cell buttons.
    frmMain mainWindow([shell] { return shell; }, settings);
    auto *mainTimer = mainWindow.findChild<QTimer *>(u"tmrUpdate"_s);
    mainTimer->stop();
    QMetaObject::invokeMethod(mainTimer, "timeout");
    if (mainWindow.findChild<shared::ListGrid *>(u"fgIeList"_s)->rows() != 2) {
        std::fprintf(stderr, "the browser list does not show the one browser\n");
        return 1;
    }
    mainWindow.show();

    stores::MemoryProgramSettings inspectorSettings;
    frmPageInfo window(inspectorSettings, ui);
    window.SetIeWnd(browser);
    // The steps are taken here, so the tree holds still while it is read.
    window.findChild<QTimer *>(u"tmrUpdate"_s)->stop();
    window.show();
    // Without a window manager activation may never come; the first one refreshes.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    const auto *status = window.findChild<QLabel *>(u"Status"_s);
    for (int step = 0; step < 100 && status->text() != u"Ready"_s; ++step)
        window.tmrUpdate_Timer();
    if (status->text() != u"Ready"_s) {
        std::fprintf(stderr, "the list was not filled: %s\n", qPrintable(status->text()));
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);

    return QApplication::exec();
}
