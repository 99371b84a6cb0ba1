// The inspector as a user drives it over a real Chromium: opened from the
// list, it lists the page, narrows it, writes a value the page's own script
// hears, clicks a link and follows the tab, closes when the tab leaves the
// web, and stays through a browser that stops answering for a while.
#include "platform/automation/Automation.h"
#include "tests/inspector/InspectorView.h"
#include "tests/main/MainWindowOnChromium.h"
#include "tests/support/QtPrinting.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/StatusTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using namespace Qt::StringLiterals;
using testsupport::InspectorView;
using testsupport::MainWindowOnChromium;

namespace {

constexpr int kValueCol = 5;
constexpr int kClickCol = 3;
constexpr int kIdCol = InspectorView::kIdCol;
constexpr int kPatienceMs = InspectorView::kPatienceMs;

const QString kFormPage = uR"(<title>入力</title>
<input id="city" name="city" value="札幌">
<input id="zip" name="zip" value="060">
<a id="next" href="/next.html">次へ</a>
<p id="heard"></p>
<script>
  const city = document.getElementById('city');
  for (const type of ['input', 'change'])
    city.addEventListener(type, () => { document.getElementById('heard').textContent += type + ' '; });
</script>)"_s;

const QString kNextPage = uR"(<title>次</title><p id="one">一</p><p id="two">二</p>)"_s;

QString textOf(const automation::BrowserPtr &tab, const QString &id)
{
    return testsupport::elementById(tab->document(), id)->get(u"innerText"_s).toString();
}

} // namespace

TEST_F(MainWindowOnChromium, TheInspectorDrivesTheLivePageUntilTheTabLeavesTheWeb)
{
    auto tab = openPage(u"/form.html"_s, kFormPage);
    server().setPage(u"/next.html"_s, kNextPage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return urls() == QStringList{url(u"/form.html"_s)}; }, kPatienceMs));
    window->show();

    bool closedWithTheWeb = false;
    const bool opened = inspectRow(1, [&](frmPageInfo &inspector) {
        InspectorView view(inspector);
        ASSERT_TRUE(view.waitUntilReady()) << view.status().toStdString();
        EXPECT_EQ(view.ids().mid(view.ids().size() - 5),
                  (QStringList{u"city"_s, u"zip"_s, u"next"_s, u"heard"_s, {}}));

        // Nothing changes in the list until Update.
        view.onlyTag(u"INPUT"_s);
        EXPECT_EQ(view.grid->rows(), view.ids().size() + 1);
        view.update();
        ASSERT_TRUE(view.waitUntilReady()) << view.status().toStdString();
        EXPECT_EQ(view.ids(), (QStringList{u"city"_s, u"zip"_s}));

        const int city = view.rowOf(u"city"_s);
        QTest::mouseClick(view.grid->viewport(), Qt::LeftButton, {}, view.centre(city, kValueCol));
        QTest::mouseDClick(view.grid->viewport(), Qt::LeftButton, {}, view.centre(city, kValueCol));
        auto *editor = view.grid->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor && editor->isVisible());
        editor->setText(u"函館"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return textOf(tab, u"heard"_s) == u"input change"_s; }, kPatienceMs))
            << textOf(tab, u"heard"_s).toStdString();
        EXPECT_EQ(testsupport::elementById(tab->document(), u"city"_s)->get(u"value"_s).toString(), u"函館"_s);

        // The link's picture follows it; the list is rebuilt for the new page.
        view.onlyTag(u"A"_s);
        view.update();
        ASSERT_TRUE(view.waitUntilReady()) << view.status().toStdString();
        ASSERT_EQ(view.ids(), QStringList{u"next"_s});
        view.clearFilter();
        QTest::mousePress(view.grid->viewport(), Qt::LeftButton, {}, view.centre(1, kClickCol));
        QTest::mouseRelease(view.grid->viewport(), Qt::LeftButton, {}, view.centre(1, kClickCol));
        EXPECT_TRUE(QTest::qWaitFor([&] { return view.ids().contains(u"two"_s) && view.status() == u"Ready"_s; },
                                    kPatienceMs))
            << view.ids().join(u' ').toStdString();
        EXPECT_TRUE(view.grid->tag().contains(url(u"/next.html"_s)));

        tab->navigate(u"about:blank"_s);
        closedWithTheWeb = QTest::qWaitFor([&] { return !inspector.isVisible(); }, kPatienceMs);
    });

    EXPECT_TRUE(opened);
    EXPECT_TRUE(closedWithTheWeb);
    EXPECT_EQ(window->findChild<frmPageInfo *>(), nullptr);
    EXPECT_EQ(ui.opacityOf(window.get()), 100);
    EXPECT_EQ(statusPanel->text(), u"Ready"_s);
    tab->quit();
}

// Every cell of a row comes from one element, even on a page that keeps
// inserting and removing its first elements while the rows fill: the long
// texts are read from the element the short cells came from.
TEST_F(MainWindowOnChromium, EveryCellOfARowComesFromOneElementOfAChangingPage)
{
    QString page = u"<title>動く</title><div id=\"box\">"_s;
    for (int k = 0; k < 400; ++k)
        page += u"<p id=\"k%1\">k%1</p>"_s.arg(k);
    page += uR"(</div><script>
  let next = 400;
  const box = document.getElementById('box');
  setInterval(() => {
    const p = document.createElement('p');
    p.id = p.textContent = 'k' + next++;
    if (next % 2) box.prepend(p); else box.firstElementChild.remove();
  }, 10);
</script>)"_s;
    auto tab = openPage(u"/moving.html"_s, page);
    ASSERT_TRUE(QTest::qWaitFor([&] { return urls() == QStringList{url(u"/moving.html"_s)}; }, kPatienceMs));
    window->show();

    const bool opened = inspectRow(1, [&](frmPageInfo &inspector) {
        InspectorView view(inspector);
        ASSERT_TRUE(view.waitUntilReady()) << view.status().toStdString();
        int paragraphs = 0;
        for (int row = 1; row < view.grid->rows(); ++row) {
            if (view.grid->text(row, 1) != u"P"_s)
                continue;
            ++paragraphs;
            // An element gone before its texts were read is marked so, never
            // shown with another element's texts.
            if (view.grid->background(row, 8) != QColor(255, 200, 200))
                EXPECT_EQ(view.grid->text(row, kIdCol), view.grid->text(row, 8)) << row;
        }
        EXPECT_GT(paragraphs, 300);
        inspector.hide();
    });
    EXPECT_TRUE(opened);
    tab->quit();
}

// Stopped while it fills, the browser is waited out, and the fill goes on.
TEST_F(MainWindowOnChromium, TheInspectorWaitsOutAStoppedBrowserAndCarriesOn)
{
    // Enough rows that the fill is still under way when the browser stops.
    QString html = u"<title>長い</title>"_s;
    QStringList paragraphs;
    for (int i = 0; i < 20000; ++i) {
        paragraphs.append(u"p"_s + QString::number(i));
        html += u"<p id="_s + paragraphs.last() + u">"_s + QString::number(i) + u"</p>"_s;
    }
    auto tab = openPage(u"/long.html"_s, html);
    ASSERT_TRUE(QTest::qWaitFor([&] { return urls() == QStringList{url(u"/long.html"_s)}; }, kPatienceMs));
    window->show();

    const bool opened = inspectRow(1, [&](frmPageInfo &inspector) {
        InspectorView view(inspector);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.status().startsWith(u"Update："_s); }, kPatienceMs))
            << view.status().toStdString();
        const QString notAnswering = QStringView(shared::kBrowserNotAnsweringText).toString();
        QSignalSpy steps(inspector.findChild<QTimer *>(u"tmrUpdate"_s), &QTimer::timeout);
        {
            const testsupport::StoppedBrowser stopped;
            ASSERT_TRUE(QTest::qWaitFor([&] { return view.status().startsWith(notAnswering); }, kPatienceMs))
                << view.status().toStdString();
            // Nothing is asked of it from now on, so no read fails and beeps.
            const int beeps = ui.beeps;
            // Its steps go on while the browser stays stopped, and so does the user.
            view.grid->verticalScrollBar()->setValue(view.grid->verticalScrollBar()->maximum() / 2);
            const qsizetype stepsSoFar = steps.count();
            ASSERT_TRUE(QTest::qWaitFor([&] { return steps.count() >= stepsSoFar + 10; }, kPatienceMs));
            EXPECT_TRUE(inspector.isVisible());
            EXPECT_TRUE(view.status().startsWith(notAnswering)) << view.status().toStdString();
            EXPECT_EQ(ui.beeps, beeps);
        }
        ASSERT_TRUE(view.waitUntilReady()) << view.status().toStdString();
        EXPECT_TRUE(inspector.isVisible());
        EXPECT_TRUE(view.ids().mid(view.ids().size() - paragraphs.size()) == paragraphs);
    });

    EXPECT_TRUE(opened);
    tab->quit();
}
