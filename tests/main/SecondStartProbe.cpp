// Starts the program the way its executable does, but with recorded UI
// services, and prints each message box as text, title, icon and buttons,
// then how many windows exist. Used as the second of two processes.
#include "app/StartUp.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "tests/ui/RecordingUiServices.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ui::RecordingUiServices ui;
    const int exitCode =
        RunVorlane([] { return std::make_shared<automation::doubles::ShellWindowsDouble>(); });
    QTextStream out(stdout);
    for (const auto &box : ui.messageBoxes)
        out << box.text << '\t' << box.title << '\t' << int(box.icon) << '\t' << int(box.buttons) << '\n';
    out << "windows " << QApplication::topLevelWidgets().size() << '\n';
    return exitCode;
}
