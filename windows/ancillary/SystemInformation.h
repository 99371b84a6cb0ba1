#pragma once

#include <QStringList>

namespace ancillary {

// The system information programs looked for on the PATH, best first: the
// viewers of hardware and system details, then the desktops' system monitors.
inline const QStringList kSystemInformationTools{
    QStringLiteral("hardinfo"),             // hardware, drivers and system summary
    QStringLiteral("kinfocenter"),          // KDE's information centre
    QStringLiteral("gnome-system-monitor"), // GNOME: system, resources, processes
    QStringLiteral("mate-system-monitor"),
    QStringLiteral("xfce4-taskmanager"),
};

// Starts the first of those tools that is installed; when none is, or it
// fails to start, tells the user that system information is unavailable.
void StartSysInfo();

} // namespace ancillary
