#include "app/StartUp.h"
#include "platform/chromium/ConfiguredBrowsers.h"
#include "platform/ui/QtUiServices.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/ancillary/ProgramIdentity.h"
#include "windows/ancillary/ProgramLogo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char **argv)
{
    // Answered before QApplication, which wants a display: no window opens.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(version);
    parser.parse(arguments); // the rest are Qt's own options, for QApplication
    if (parser.isSet(version))
        return std::printf("vorlane %s\n", VORLANE_VERSION) > 0 && std::fflush(stdout) == 0 ? 0 : 1;

    // Lets the window system match the windows to the installed desktop
    // entry, and so to its name and icon.
    QGuiApplication::setDesktopFileName(ancillary::kDesktopFileId);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ancillary::ProgramIcon());
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
