#pragma once

#include <QPointer>

class QLabel;

namespace shared {

class CellButtonImages;

// The parts of the main window that the shared routines use from whichever
// window calls them: the "Status" panel of its status bar and its cell
// button images. The main window registers them for as long as it lives;
// until then, and once the panel is gone, there is nothing to find.
class MainFormParts
{
public:
    MainFormParts(QLabel *statusPanel, const CellButtonImages &images);
    ~MainFormParts();
    MainFormParts(const MainFormParts &) = delete;
    MainFormParts &operator=(const MainFormParts &) = delete;

    static QLabel *statusPanel();
    static const CellButtonImages *images();

private:
    QPointer<QLabel> m_statusPanel;
    const CellButtonImages &m_images;
    MainFormParts *m_previous;
};

} // namespace shared
