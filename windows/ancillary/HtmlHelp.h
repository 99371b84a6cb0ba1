#pragma once

#include <QString>

class QWidget;

namespace ancillary {

// The help document; its index is the page "Vorlane-index.html" next to it.
inline const QString kHelpFileName = QStringLiteral("Vorlane.html");

// Where the help document of the program in vProgramFolder is: beside it
// (a build), in the data folder an install puts it in (../share/vorlane/help
// from the programs' folder), or in the user's and then the system's data
// folders (vorlane/help under each). When none has it, the path beside the
// program, which the viewer then reports as missing.
QString LocateHelpFile(const QString &vProgramFolder);

// Both open the help in the user's web viewer and return whether a viewer
// was started. Neither looks at the file: a missing one is the viewer's to
// report. vOwner names the window asking; the viewer is a program of its
// own and cannot be owned by it.
bool ShowHelpContents(QWidget *vOwner, const QString &vHelpFile);
// The index page, scrolled to the first entry that begins with vKeyword
// when the viewer keeps the address's fragment; an empty keyword shows
// the index from its top.
bool ShowHelpIndex(QWidget *vOwner, const QString &vHelpFile, const QString &vKeyword);

} // namespace ancillary
