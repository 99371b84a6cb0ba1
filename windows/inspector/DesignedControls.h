#pragma once

#include <QString>

class QWidget;

namespace inspector {

// Puts a control at its designed place, given in twips relative to its parent.
void PlaceInTwips(QWidget &control, int left, int top, int width, int height);

// Screen readers announce the caption (for a text box, the caption of its
// group or label) and read the tool tip as the description.
void Describe(QWidget &control, const QString &caption, const QString &toolTip = {});

} // namespace inspector
