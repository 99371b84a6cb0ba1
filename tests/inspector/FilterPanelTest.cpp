// The filter panel: what it hands the page, its answer, Clear, and the
// designed places of its controls.
#include "page/CWebPageHV.h"
#include "page/ItemFilter.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "platform/ui/Twips.h"
#include "tests/ui/RecordingUiServices.h"
#include "windows/inspector/FilterPanel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FilterPanelTest : public ::testing::Test
{
protected:
    QCheckBox *chk(const QString &name) const { return panel.findChild<QCheckBox *>(name); }
    QLineEdit *txt(const QString &name) const { return panel.findChild<QLineEdit *>(name); }
    QRect designed(int left, int top, int width, int height) const
    {
        return {QPoint(ui::TwipsToPixelsX(panel, left), ui::TwipsToPixelsY(panel, top)),
                ui::TwipsToPixels(panel, width, height)};
    }

    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    CWebPageHV page{settings, ui};
    inspector::FilterPanel panel;
};

const QStringList kGroupTexts = {u"txtHref_Str0"_s, u"txtHref_Str1"_s, u"txtTooltip_Str"_s, u"txtDispStr"_s,
                                 u"txtName_Str"_s, u"txtID_Str"_s};

} // namespace

TEST_F(FilterPanelTest, HandsEveryTickAndTextToThePageInItsPlace)
{
    for (const QString &name : {u"chkTagName_INPUT"_s, u"chkTagName_TH"_s, u"chkTagName_Other"_s, u"chkType_radio"_s,
                                u"chkType_Other"_s, u"chkHref_Other"_s, u"chkStrExtend"_s, u"chkName_Other"_s})
        chk(name)->setChecked(true);
    txt(u"txtHref_Str0"_s)->setText(u"  "_s);
    txt(u"txtHref_Str1"_s)->setText(u"b.test"_s);
    txt(u"txtTooltip_Str"_s)->setText(u"ヒント"_s);
    txt(u"txtDispStr"_s)->setText(u" 送信 "_s);
    txt(u"txtID_Str"_s)->setText(u"id1"_s);

    EXPECT_TRUE(panel.ApplyFilterPanel(page));

    ItemFilter expected;
    expected.setTagName(0, 0, 0, 1, 0, 1, 0, 0, 0, 1);
    expected.setType(0, 1, 0, 0, 1);
    expected.setTooltip(u"ヒント"_s, 0);
    expected.setInnerHtml(u" 送信 "_s, 0, 1);
    expected.setHref(0, 1, u"  "_s, u"b.test"_s);
    expected.setId(u"id1"_s, 0);
    expected.setName(QString(), 1);
    EXPECT_EQ(page.itemFilter().key(), expected.key());
    const ItemFilter &filter = page.itemFilter();
    EXPECT_TRUE(filter.tagOn() && filter.typeOn() && filter.tooltipOn() && filter.innerOn() && filter.hrefOn()
                && filter.idOn() && filter.nameOn());
}

TEST_F(FilterPanelTest, AnswersWhetherAnyOneFilterIsSet)
{
    EXPECT_FALSE(panel.ApplyFilterPanel(page));
    for (QCheckBox *box : panel.findChildren<QCheckBox *>()) {
        const QString name = box->objectName();
        // Search options, not filters.
        if (name == u"chkSearchAll"_s || name == u"chkRegSearch"_s)
            continue;
        box->setChecked(true);
        EXPECT_TRUE(panel.ApplyFilterPanel(page)) << name.toStdString();
        box->setChecked(false);
    }
    for (const QString &name : kGroupTexts) {
        txt(name)->setText(u"x"_s);
        EXPECT_TRUE(panel.ApplyFilterPanel(page)) << name.toStdString();
        txt(name)->clear();
    }
}

TEST_F(FilterPanelTest, StartsFromAClearedFilterEachTime)
{
    txt(u"txtID_Str"_s)->setText(u"id1"_s);
    ASSERT_TRUE(panel.ApplyFilterPanel(page));
    // The middle dot keeps the page's stored text, which was just cleared.
    txt(u"txtID_Str"_s)->setText(u"・"_s);
    EXPECT_FALSE(panel.ApplyFilterPanel(page));
    EXPECT_FALSE(page.itemFilter().idOn());
}

TEST_F(FilterPanelTest, ClearEmptiesTheGroupsButKeepsTheSearchOptions)
{
    for (QCheckBox *box : panel.findChildren<QCheckBox *>())
        box->setChecked(true);
    for (const QString &name : kGroupTexts)
        txt(name)->setText(u"x"_s);

    panel.findChild<QPushButton *>(u"cmdFilterClear"_s)->click();

    for (int i = 0; i < 7; ++i) {
        auto *group = panel.findChild<QGroupBox *>(u"fraFilterC"_s + QString::number(i));
        ASSERT_NE(group, nullptr);
        for (QCheckBox *box : group->findChildren<QCheckBox *>())
            EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    for (const QString &name : kGroupTexts)
        EXPECT_TRUE(txt(name)->text().isEmpty()) << name.toStdString();
    EXPECT_TRUE(chk(u"chkSearchAll"_s)->isChecked());
    EXPECT_TRUE(chk(u"chkRegSearch"_s)->isChecked());
    EXPECT_FALSE(panel.ApplyFilterPanel(page));
}

TEST_F(FilterPanelTest, ControlsStandWhereDesignedWithTheirCaptions)
{
    EXPECT_EQ(panel.objectName(), u"fraFilter"_s);
    EXPECT_EQ(panel.title(), u"表示フィルター"_s);
    EXPECT_EQ(panel.size(), designed(0, 0, 9690, 4020).size());

    const struct
    {
        QString name;
        QString caption;
        QRect place;
    } groups[] = {
        {u"fraFilterC0"_s, u"Type"_s, designed(2985, 240, 1125, 2115)},
        {u"fraFilterC1"_s, u"TagName"_s, designed(120, 240, 2805, 2115)},
        {u"fraFilterC2"_s, u"Link(href)"_s, designed(120, 2370, 5145, 1575)},
        {u"fraFilterC3"_s, u"ツールチップ"_s, designed(4170, 1470, 1905, 885)},
        {u"fraFilterC4"_s, u"表示文字"_s, designed(4170, 240, 1935, 1215)},
        {u"fraFilterC5"_s, u"Name"_s, designed(6165, 240, 1935, 915)},
        {u"fraFilterC6"_s, u"ID"_s, designed(6165, 1470, 1935, 885)},
    };
    for (const auto &g : groups) {
        auto *group = panel.findChild<QGroupBox *>(g.name);
        ASSERT_NE(group, nullptr) << g.name.toStdString();
        EXPECT_EQ(group->title(), g.caption);
        EXPECT_EQ(group->geometry(), g.place) << g.name.toStdString();
        EXPECT_TRUE(group->font().bold());
    }

    const struct
    {
        QString name;
        QString caption;
        QRect place;
    } checks[] = {
        {u"chkTagName_Other"_s, u"その他"_s, designed(1155, 1680, 900, 330)},
        {u"chkTagName_BR"_s, u"BR"_s, designed(1155, 1080, 900, 300)},
        {u"chkHref_Other"_s, u"その他"_s, designed(165, 525, 900, 330)},
        {u"chkStrExtend"_s, u"拡張検索"_s, designed(60, 840, 1335, 300)},
        {u"chkSearchAll"_s, u"全検索"_s, designed(8580, 2310, 900, 330)},
        {u"chkRegSearch"_s, u"登録検索"_s, designed(8325, 3390, 1305, 330)},
    };
    for (const auto &c : checks) {
        QCheckBox *box = chk(c.name);
        ASSERT_NE(box, nullptr) << c.name.toStdString();
        EXPECT_EQ(box->text(), c.caption);
        EXPECT_EQ(box->geometry(), c.place) << c.name.toStdString();
    }

    QLineEdit *href1 = txt(u"txtHref_Str1"_s);
    EXPECT_EQ(href1->geometry(), designed(180, 1200, 4020, 300));
    EXPECT_EQ(href1->toolTip(), u"URLに含まれる文字列を入力"_s);
    EXPECT_EQ(txt(u"txtDispStr"_s)->toolTip(), u"表示されている文字列を入力"_s);
    auto *time = panel.findChild<QLabel *>(u"lblProcessTime"_s);
    EXPECT_EQ(time->text(), u"000sec"_s);
    EXPECT_EQ(time->toolTip(), u"アイテム抽出時間"_s);
    EXPECT_EQ(time->geometry(), designed(8625, 3105, 900, 240));
    EXPECT_EQ(panel.findChild<QPushButton *>(u"cmdFilterClear"_s)->geometry(), designed(8580, 2700, 900, 330));
}

TEST_F(FilterPanelTest, EveryControlIsNamedForScreenReaders)
{
    for (QCheckBox *box : panel.findChildren<QCheckBox *>())
        EXPECT_EQ(box->accessibleName(), box->text());
    EXPECT_EQ(txt(u"txtTooltip_Str"_s)->accessibleName(), u"ツールチップ"_s);
    EXPECT_EQ(txt(u"txtHref_Str0"_s)->accessibleDescription(), u"URLに含まれる文字列を入力"_s);
    EXPECT_EQ(txt(u"txtItemN_Frames"_s)->accessibleName(), u"Frames"_s);
    for (QLineEdit *box : panel.findChildren<QLineEdit *>())
        EXPECT_FALSE(box->accessibleName().isEmpty()) << box->objectName().toStdString();
    auto *time = panel.findChild<QLabel *>(u"lblProcessTime"_s);
    EXPECT_EQ(time->accessibleDescription(), u"アイテム抽出時間"_s);
    // Read as the time it shows now, not as the text it was built with.
    panel.showProcessTime(u"1.25"_s);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(time)->text(QAccessible::Name), u"1.25"_s);
}
