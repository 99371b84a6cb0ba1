#include "platform/ui/UiServices.h"

#include <QtGlobal>

namespace ui {

namespace {
UiServices *gInstalled = nullptr;
}

UiServices &services()
{
    if (!gInstalled)
        qFatal("UI services used before any were installed");
    return *gInstalled;
}

ScopedServices::ScopedServices(UiServices &installed)
    : m_previous(gInstalled)
{
    gInstalled = &installed;
}

ScopedServices::~ScopedServices()
{
    gInstalled = m_previous;
}

} // namespace ui
