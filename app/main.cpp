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
#include <optional>

namespace {

// What QApplication and its platform plugin take out of the command line,
// with one dash or two; they must reach it, not be called unknown.
const char *const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "style",          "stylesheet", "display",
    "name",     "visual",             "qmljsdebugger"};
const char *const kQtFlags[] = {"reverse", "testability", "widgetcount", "nograb", "dograb", "qdevel", "qdebug"};

const char kHelp[] = R"(Usage: vorlane [options]
Lists the tabs of Chromium that show a web page and opens an inspector on the
elements of each, over Chromium's DevTools protocol on loopback. Which
browsers it asks and where it keeps its settings: see vorlane(1).

Options:
  -h, --help   Show this help and exit.
  --version    Show the version and exit.

Qt's own options are passed on to Qt, among them -platform NAME,
-display DISPLAY, -style NAME, -stylesheet FILE, -qwindowgeometry GEOMETRY
and -reverse.
)";

const char kUsage[] = "usage: vorlane [--help | --version] [Qt's options, such as -platform NAME]\n";

// Answers what needs no window, and so no display, no single-instance
// check and no stored file: --help, --version and a command line that is
// wrong. Nothing when the program is to start.
std::optional<int> answerWithoutWindow(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});
    for (const char *name : kQtOptionsWithValue)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char *name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    const auto printed = [](const char *text) { return std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0; };
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
                                  ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0])
                                  : parser.errorText();
        std::fprintf(stderr, "vorlane: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    if (parser.isSet(help))
        return printed(kHelp) ? 0 : 1;
    if (parser.isSet(version))
        return printed("vorlane " VORLANE_VERSION "\n") ? 0 : 1;
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> status = answerWithoutWindow(argc, argv))
        return *status;

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
