#include "app/StartUp.h"
#include "platform/chromium/ConfiguredBrowsers.h"
#include "platform/ui/QtUiServices.h"
#include "windows/ancillary/JapaneseFonts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ui::QtUiServices services;
    const ui::ScopedServices installed(services);
    ancillary::MapJapaneseFonts();
    return RunVorlane(chromium::configuredShellWindows);
}
