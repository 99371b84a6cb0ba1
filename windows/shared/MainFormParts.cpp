#include "windows/shared/MainFormParts.h"

#include <QLabel>

namespace shared {

namespace {
MainFormParts *gRegistered = nullptr;
}

MainFormParts::MainFormParts(QLabel *statusPanel, const CellButtonImages &images)
    : m_statusPanel(statusPanel)
    , m_images(images)
    , m_previous(gRegistered)
{
    gRegistered = this;
}

MainFormParts::~MainFormParts()
{
    gRegistered = m_previous;
}

QLabel *MainFormParts::statusPanel()
{
    return gRegistered ? gRegistered->m_statusPanel.data() : nullptr;
}

const CellButtonImages *MainFormParts::images()
{
    return gRegistered ? &gRegistered->m_images : nullptr;
}

} // namespace shared
