// The inspector driven by the keyboard alone, over a real Chromium: Tab
// walks the window's controls, Enter in the filter panel and F5 update the
// list, Space and Enter on a クリック cell click its element and Ctrl+Enter
// focuses the current row's element.
#include "browser/CWebBrowserHV.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/inspector/InspectorView.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/chromium/ChromiumFixture.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/FilterPanel.h"
#include "windows/inspector/frmPageInfo.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/CellButtonImages.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int kClickCol = 3;
constexpr int kIdCol = testsupport::InspectorView::kIdCol;
constexpr int kPatienceMs = testsupport::InspectorView::kPatienceMs;

const QString kPage = uR"(<title>鍵</title>
<input id="city" name="city" value="札幌">
<input type="button" id="go" value="押す">
<p id="heard"></p>
<script>
  const heard = document.getElementById('heard');
  document.getElementById('go').addEventListener('click', () => { heard.textContent += 'click '; });
  document.getElementById('city').addEventListener('focus', () => { heard.textContent += 'focus '; });
</script>)"_s;

class InspectorKeys : public testsupport::ChromiumTest
{
protected:
    void SetUp() override
    {
        ChromiumTest::SetUp();
        tab = openPage(u"/keys.html"_s, kPage);
        gWebBrowser = std::make_unique<CWebBrowserHV>(shell);
        window = std::make_unique<frmPageInfo>(settings, ui);
        window->SetIeWnd(tab);
        grid = control<shared::ListGrid>(u"fgItem"_s);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The first activation lists the page.
        ASSERT_TRUE(waitUntilReady()) << status().toStdString();
    }
    void TearDown() override
    {
        window.reset();
        gWebBrowser.reset();
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return view().control<T>(name);
    }
    testsupport::InspectorView view() const { return testsupport::InspectorView(*window); }
    QString status() const { return view().status(); }
    bool waitUntilReady() const { return view().waitUntilReady(); }
    QStringList ids() const { return view().ids(); }
    bool listsOnly(const QStringList &expected) const
    {
        return QTest::qWaitFor([&] { return status() == u"Ready"_s && ids() == expected; }, kPatienceMs);
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    QString heard() const
    {
        return testsupport::elementById(tab->document(), u"heard"_s)->get(u"innerText"_s).toString();
    }

    automation::BrowserPtr tab;
    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    QLabel mainStatus;
    shared::CellButtonImages images;
    shared::MainFormParts mainParts{&mainStatus, images};
    std::unique_ptr<frmPageInfo> window;
    shared::ListGrid *grid = nullptr;
};

} // namespace

TEST_F(InspectorKeys, TabWalksGridFilterAndButtonsAndEnterInTheFilterUpdatesKeepingIt)
{
    ASSERT_EQ(QApplication::focusWidget(), grid);
    grid->setCurrent(1, 1);
    QStringList stops;
    for (int i = 0; i < 100 && (stops.isEmpty() || QApplication::focusWidget() != grid); ++i) {
        press(Qt::Key_Tab);
        stops.append(QApplication::focusWidget()->objectName());
    }
    ASSERT_EQ(stops.takeLast(), u"fgItem"_s);
    // The panel's controls in reading order, then the two buttons; the
    // counts are no stops.
    EXPECT_EQ(stops.first(), u"chkTagName_A"_s);
    EXPECT_EQ(stops.mid(stops.size() - 2), (QStringList{u"cmdUpdateItem"_s, u"cmdCancel"_s}));
    const auto *panel = control<inspector::FilterPanel>(u"fraFilter"_s);
    for (const QString &stop : stops.first(stops.size() - 2)) {
        EXPECT_TRUE(panel->isAncestorOf(control(stop))) << stop.toStdString();
        EXPECT_FALSE(stop.startsWith(u"txtItemN_"_s)) << stop.toStdString();
    }
    EXPECT_TRUE(stops.contains(u"txtID_Str"_s) && stops.contains(u"cmdFilterClear"_s));
    EXPECT_EQ(grid->row(), 1);
    EXPECT_EQ(grid->col(), 1);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"cmdCancel"_s);

    auto *idText = control<QLineEdit>(u"txtID_Str"_s);
    idText->setFocus();
    QTest::keyClicks(idText, u"city"_s);
    press(Qt::Key_Return);
    EXPECT_TRUE(listsOnly({u"city"_s})) << ids().join(u' ').toStdString();
    EXPECT_EQ(idText->text(), u"city"_s);

    // Enter on Clear is the panel's Enter too: it updates and clears nothing.
    idText->setText(u"go"_s);
    control(u"cmdFilterClear"_s)->setFocus();
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(listsOnly({u"go"_s})) << ids().join(u' ').toStdString();
    EXPECT_EQ(idText->text(), u"go"_s);
    EXPECT_TRUE(control<QCheckBox>(u"chkSearchAll"_s)->isChecked());
}

TEST_F(InspectorKeys, F5UpdatesAndKeysOnARowClickAndFocusItsElement)
{
    control<QLineEdit>(u"txtID_Str"_s)->setText(u"go"_s);
    grid->setFocus();
    press(Qt::Key_F5);
    ASSERT_TRUE(listsOnly({u"go"_s})) << ids().join(u' ').toStdString();

    grid->setCurrent(1, kClickCol);
    press(Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard() == u"click"_s; }, kPatienceMs)) << heard().toStdString();
    press(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard() == u"click click"_s; }, kPatienceMs))
        << heard().toStdString();

    control<QLineEdit>(u"txtID_Str"_s)->setText(u"city"_s);
    press(Qt::Key_F5);
    ASSERT_TRUE(listsOnly({u"city"_s})) << ids().join(u' ').toStdString();
    grid->setCurrent(1, 1);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard() == u"click click focus"_s; }, kPatienceMs))
        << heard().toStdString();
}
