#pragma once

// A main window over a collection the test controls, with its own store
// folder and recorded UI services.

#include "settings/Settings.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/main/MainGlobals.h"
#include "windows/main/frmMain.h"
#include "windows/shared/ListGrid.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace testsupport {

class MainWindowFixture
{
public:
    MainWindowFixture()
    {
        qputenv("VORLANE_CONFIG_DIR", config.path().toUtf8());
        LoadSettings(settings);
    }
    ~MainWindowFixture()
    {
        window.reset();
        qunsetenv("VORLANE_CONFIG_DIR");
    }

    void load(ShellWindowsFactory newShellWindows)
    {
        window.reset();
        window = std::make_unique<frmMain>(std::move(newShellWindows), settings);
        grid = window->findChild<shared::ListGrid *>(QStringLiteral("fgIeList"));
        timer = window->findChild<QTimer *>(QStringLiteral("tmrUpdate"));
        statusPanel = window->findChild<QLabel *>(QStringLiteral("Status"));
        ASSERT_TRUE(grid && timer && statusPanel);
    }

    // One refresh, as the timer runs it.
    void tick() { QMetaObject::invokeMethod(timer, "timeout"); }

    // Columns 0 to 6 of a row, as text.
    QStringList row(int r) const
    {
        QStringList texts;
        for (int col = 0; col < grid->cols(); ++col)
            texts.append(grid->text(r, col));
        return texts;
    }
    // The address column of every data row.
    QStringList urls() const
    {
        QStringList list;
        for (int r = 1; r < grid->rows(); ++r)
            list.append(grid->text(r, 3));
        return list;
    }

    QTemporaryDir config;
    SettingsVariables settings;
    ui::RecordingUiServices ui;
    std::unique_ptr<frmMain> window;
    shared::ListGrid *grid = nullptr;
    QTimer *timer = nullptr;
    QLabel *statusPanel = nullptr;
};

} // namespace testsupport
