// The browser list over a real Chromium: tabs that open and close show in
// the list within two ticks of the timer, and a row's "詳細" inspects its tab.
#include "tests/main/MainWindowOnChromium.h"
#include "windows/inspector/frmPageInfo.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::MainWindowOnChromium;

TEST_F(MainWindowOnChromium, RowsFollowTabsThatOpenAndCloseWithinTwoTicks)
{
    QSignalSpy ticks(timer, &QTimer::timeout);
    ticksUntil({}, ticks);

    auto one = openPage(u"/one.html"_s, u"<title>一</title>"_s);
    ticks.clear();
    EXPECT_LE(ticksUntil({url(u"/one.html"_s)}, ticks), 2);
    auto two = openPage(u"/two.html"_s, u"<title>二</title>"_s);
    auto three = openPage(u"/three.html"_s, u"<title>三</title>"_s);
    ticks.clear();
    EXPECT_LE(ticksUntil({url(u"/one.html"_s), url(u"/two.html"_s), url(u"/three.html"_s)}, ticks), 2);
    EXPECT_EQ(row(2).mid(0, 5), (QStringList{u"2"_s, {}, u"完了"_s, url(u"/two.html"_s), u"二"_s}));
    EXPECT_EQ(grid->text(2, 5), QString::number(quint32(two->hwnd()), 16).toUpper().rightJustified(8, u'0'));

    one->quit();
    ticks.clear();
    EXPECT_LE(ticksUntil({url(u"/two.html"_s), url(u"/three.html"_s)}, ticks), 2);
    EXPECT_EQ(grid->text(1, 0), u"1"_s);
    EXPECT_EQ(grid->text(1, 4), u"二"_s);

    two->quit();
    three->quit();
    ticks.clear();
    EXPECT_LE(ticksUntil({}, ticks), 2);
    EXPECT_EQ(grid->rows(), 1);
}

TEST_F(MainWindowOnChromium, DetailButtonOpensTheInspectorOnItsTab)
{
    auto one = openPage(u"/one.html"_s, u"<title>一</title>"_s);
    auto two = openPage(u"/two.html"_s, u"<title>二</title>"_s);
    one->setToolBar(1);
    two->setToolBar(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return urls() == QStringList{url(u"/one.html"_s), url(u"/two.html"_s)}; }, 5000))
        << urls().join(u' ').toStdString();
    window->show();

    // Its first activation switches off the bound tab's tool bar.
    const bool opened = inspectRow(2, [](frmPageInfo &) {});
    EXPECT_TRUE(opened);
    EXPECT_EQ(two->toolBar(), 0);
    EXPECT_EQ(one->toolBar(), 1);
    EXPECT_EQ(statusPanel->text(), u"Ready"_s);
    EXPECT_EQ(ui.opacityOf(window.get()), 100);
    EXPECT_EQ(window->findChild<frmPageInfo *>(), nullptr);
    one->quit();
    two->quit();
}
