#pragma once

#include "page/CWebPageHV.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "tests/ui/RecordingUiServices.h"

#include <gtest/gtest.h>

// A page model over one scripted browser window at an http address.
class PageOnDouble : public ::testing::Test
{
protected:
    std::shared_ptr<automation::doubles::ElementDouble> add(const QVariantMap &members)
    {
        return browser->page()->addElement(members);
    }

    std::shared_ptr<automation::doubles::ShellWindowsDouble> shell =
        std::make_shared<automation::doubles::ShellWindowsDouble>();
    std::shared_ptr<automation::doubles::BrowserDouble> browser = shell->open(QStringLiteral("http://a.test/"));
    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    CWebPageHV page{settings, ui};
};
