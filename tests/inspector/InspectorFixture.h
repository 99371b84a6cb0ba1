#pragma once

// The inspector on a page of the in-memory double, with the main window's
// parts it reaches, and the steps of its timer taken by the test.

#include "browser/CWebBrowserHV.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/support/automation_double/ShellWindowsDouble.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace testsupport {

class InspectorFixture : public ::testing::Test
{
protected:
    InspectorFixture()
    {
        using namespace Qt::StringLiterals;
        gWebBrowser = std::make_unique<CWebBrowserHV>(shell);
        window.SetIeWnd(browser);
        window.findChild<QTimer *>(u"tmrUpdate"_s)->stop();
        grid = window.findChild<shared::ListGrid *>(u"fgItem"_s);
        // Every listing, fill, sort and edit of every test keeps the list a sound model.
        modelTester = std::make_unique<QAbstractItemModelTester>(
            grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    ~InspectorFixture() override { gWebBrowser.reset(); }

    // An element with every member the list reads; its id names its item number.
    std::shared_ptr<automation::doubles::ElementDouble> add(const QString &tag, const QString &href = {})
    {
        using namespace Qt::StringLiterals;
        const qsizetype itemNo = browser->page()->collectionDouble(automation::CollectionKind::All)->length();
        QVariantMap members;
        members.insert(u"tagName"_s, tag);
        for (const QString &member : {u"type"_s, u"value"_s, u"alt"_s})
            members.insert(member, QString());
        members.insert(u"name"_s, u"n"_s);
        members.insert(u"href"_s, href);
        members.insert(u"innerText"_s, u"t"_s);
        members.insert(u"innerHTML"_s, u"h"_s);
        members.insert(u"id"_s, QString(u"e"_s + QString::number(itemNo)));
        return browser->page()->addElement(members);
    }
    void addMany(int count)
    {
        for (int i = 0; i < count; ++i)
            add(QStringLiteral("DIV"));
    }
    // Shown, so that the grid has rows in view and rows below them.
    void showWindow()
    {
        window.show();
        QApplication::processEvents();
        ASSERT_GT(grid->bottomRow(), 1);
    }
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    QString status() const { return control<QLabel>(QStringLiteral("Status"))->text(); }
    bool isPlaceholder(int row) const { return grid->text(row, 1) == QStringLiteral("更新中"); }
    qint64 readManyCalls() const
    {
        return browser->page()->collectionDouble(automation::CollectionKind::All)->journal().count(
            QStringLiteral("readMany"));
    }
    void clearReads() { browser->page()->collectionDouble(automation::CollectionKind::All)->clearJournal(); }
    void fillAll()
    {
        for (int tick = 0; tick < 500 && status() != QStringLiteral("Ready"); ++tick)
            window.tmrUpdate_Timer();
        ASSERT_EQ(status(), QStringLiteral("Ready"));
    }

    std::shared_ptr<automation::doubles::ShellWindowsDouble> shell =
        std::make_shared<automation::doubles::ShellWindowsDouble>();
    std::shared_ptr<automation::doubles::BrowserDouble> browser = shell->open(QStringLiteral("http://a.test/"));
    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    QLabel mainStatus;
    shared::CellButtonImages images;
    shared::MainFormParts mainParts{&mainStatus, images};
    frmPageInfo window{settings, ui};
    shared::ListGrid *grid = nullptr;
    std::unique_ptr<QAbstractItemModelTester> modelTester;
};

} // namespace testsupport
