#include "app/StartUp.h"
#include "platform/chromium/ConfiguredBrowsers.h"
#include "platform/ui/QtUiServices.h"
#include "windows/ancillary/JapaneseFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons speak the program's language.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtJapanese);
    ui::QtUiServices services;
    const ui::ScopedServices installed(services);
    ancillary::MapJapaneseFonts();
    return RunVorlane(chromium::configuredShellWindows);
}
