#include "windows/inspector/FilterPanel.h"

#include "page/CWebPageHV.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/inspector/DesignedControls.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace inspector {

namespace {

// Check boxes stand 330 twips high where their caption would be cut at 300.
constexpr int kTallCheck = 330;

QFont controlFont()
{
    QFont font(ancillary::kProportionalGothic);
    font.setPointSizeF(9);
    return font;
}

// Check boxes reach the page as 0 or 1, not as a Boolean.
qint16 state(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

FilterPanel::FilterPanel(QWidget *parent)
    : QGroupBox(u"表示フィルター"_s, parent)
{
    setObjectName(u"fraFilter"_s);
    Describe(*this, title());
    QFont font(ancillary::kMonospaceGothic);
    font.setPointSizeF(9);
    setFont(font);
    // Only the frame's place follows the window; its size stays as designed.
    PlaceInTwips(*this, 0, 0, 9690, 4020);
    // The designed places assume a frame's caption sits on its top line,
    // not above it, so the first row of controls clears the caption.
    setStyleSheet(u"QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
                  "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"_s);

    // Controls are made in reading order, which Tab follows: group by group
    // down each column, Link(href) along the bottom, then the options.
    buildTypeAndTagGroups();
    buildTextGroups();
    buildSearchOptions();
    buildCounts();
}

bool FilterPanel::ApplyFilterPanel(CWebPageHV &rPage) const
{
    rPage.ClearItemFilter();
    const bool r1 = rPage.SetFilter_TagName(state(chkTagName_A), state(chkTagName_B), state(chkTagName_FONT),
                                            state(chkTagName_INPUT), state(chkTagName_IMG), state(chkTagName_TH),
                                            state(chkTagName_TR), state(chkTagName_TD), state(chkTagName_BR),
                                            state(chkTagName_Other));
    const bool r2 = rPage.SetFilter_Type(state(chkType_text), state(chkType_radio), state(chkType_submit),
                                         state(chkType_hidden), state(chkType_Other));
    const bool r3 = rPage.SetFilter_Tooltip(txtTooltip_Str->text(), state(chkTooltip_Other));
    const bool r4 = rPage.SetFilter_Innerhtml(txtDispStr->text(), state(chkDispStr_Other), state(chkStrExtend));
    const bool r5 = rPage.SetFilter_Href(state(chkHref_http), state(chkHref_Other), txtHref_Str[0]->text(),
                                         txtHref_Str[1]->text());
    const bool r6 = rPage.SetFilter_ID(txtID_Str->text(), state(chkID_Other));
    const bool r7 = rPage.SetFilter_Name(txtName_Str->text(), state(chkName_Other));
    return r1 || r2 || r3 || r4 || r5 || r6 || r7;
}

void FilterPanel::buildTypeAndTagGroups()
{
    QGroupBox *tag = addGroup(1, u"TagName"_s, 120, 240, 2805, 2115);
    chkTagName_A = addCheck(tag, u"chkTagName_A"_s, u"A"_s, 180, 180);
    chkTagName_B = addCheck(tag, u"chkTagName_B"_s, u"B"_s, 180, 480);
    chkTagName_FONT = addCheck(tag, u"chkTagName_FONT"_s, u"FONT"_s, 180, 780);
    chkTagName_INPUT = addCheck(tag, u"chkTagName_INPUT"_s, u"INPUT"_s, 180, 1080);
    chkTagName_IMG = addCheck(tag, u"chkTagName_IMG"_s, u"IMG"_s, 180, 1380);
    chkTagName_TH = addCheck(tag, u"chkTagName_TH"_s, u"TH"_s, 1155, 180);
    chkTagName_TR = addCheck(tag, u"chkTagName_TR"_s, u"TR"_s, 1155, 480);
    chkTagName_TD = addCheck(tag, u"chkTagName_TD"_s, u"TD"_s, 1155, 780);
    chkTagName_BR = addCheck(tag, u"chkTagName_BR"_s, u"BR"_s, 1155, 1080);
    chkTagName_Other = addCheck(tag, u"chkTagName_Other"_s, u"その他"_s, 1155, 1680, 900, kTallCheck);

    QGroupBox *type = addGroup(0, u"Type"_s, 2985, 240, 1125, 2115);
    chkType_text = addCheck(type, u"chkType_text"_s, u"text"_s, 180, 180);
    chkType_radio = addCheck(type, u"chkType_radio"_s, u"radio"_s, 180, 510);
    chkType_submit = addCheck(type, u"chkType_submit"_s, u"submit"_s, 180, 840);
    chkType_hidden = addCheck(type, u"chkType_hidden"_s, u"hidden"_s, 180, 1170);
    chkType_Other = addCheck(type, u"chkType_Other"_s, u"その他"_s, 180, 1500, 900, kTallCheck);
}

void FilterPanel::buildTextGroups()
{
    QGroupBox *disp = addGroup(4, u"表示文字"_s, 4170, 240, 1935, 1215);
    txtDispStr = addText(disp, u"txtDispStr"_s, disp->title(), 60, 210, 1650, u"表示されている文字列を入力"_s);
    chkDispStr_Other = addCheck(disp, u"chkDispStr_Other"_s, u"その他"_s, 60, 510, 1335, kTallCheck);
    chkStrExtend = addCheck(disp, u"chkStrExtend"_s, u"拡張検索"_s, 60, 840, 1335);

    QGroupBox *tooltip = addGroup(3, u"ツールチップ"_s, 4170, 1470, 1905, 885);
    txtTooltip_Str = addText(tooltip, u"txtTooltip_Str"_s, tooltip->title(), 60, 195, 1650);
    chkTooltip_Other = addCheck(tooltip, u"chkTooltip_Other"_s, u"その他"_s, 60, 495, 900, kTallCheck);

    QGroupBox *name = addGroup(5, u"Name"_s, 6165, 240, 1935, 915);
    txtName_Str = addText(name, u"txtName_Str"_s, name->title(), 60, 195, 1650);
    chkName_Other = addCheck(name, u"chkName_Other"_s, u"その他"_s, 60, 495, 900, kTallCheck);

    QGroupBox *id = addGroup(6, u"ID"_s, 6165, 1470, 1935, 885);
    txtID_Str = addText(id, u"txtID_Str"_s, id->title(), 60, 195, 1650);
    chkID_Other = addCheck(id, u"chkID_Other"_s, u"その他"_s, 60, 495, 900, kTallCheck);

    const QString hrefTip = u"URLに含まれる文字列を入力"_s;
    QGroupBox *href = addGroup(2, u"Link(href)"_s, 120, 2370, 5145, 1575);
    chkHref_http = addCheck(href, u"chkHref_http"_s, u"http"_s, 180, 180);
    chkHref_Other = addCheck(href, u"chkHref_Other"_s, u"その他"_s, 165, 525, 900, kTallCheck);
    // Two boxes under one caption: the number tells them apart when read aloud.
    txtHref_Str[0] = addText(href, u"txtHref_Str0"_s, href->title() + u" 1"_s, 180, 870, 4020, hrefTip);
    txtHref_Str[1] = addText(href, u"txtHref_Str1"_s, href->title() + u" 2"_s, 180, 1200, 4020, hrefTip);
}

void FilterPanel::buildSearchOptions()
{
    chkSearchAll = addCheck(this, u"chkSearchAll"_s, u"全検索"_s, 8580, 2310, 900, kTallCheck);

    auto *cmdFilterClear = new QPushButton(u"Clear"_s, this);
    cmdFilterClear->setObjectName(u"cmdFilterClear"_s);
    cmdFilterClear->setFont(controlFont());
    Describe(*cmdFilterClear, cmdFilterClear->text());
    PlaceInTwips(*cmdFilterClear, 8580, 2700, 900, 330);
    connect(cmdFilterClear, &QPushButton::clicked, this, &FilterPanel::cmdFilterClear_Click);
    // Enter on it is the panel's Enter; only Space or a click clears.
    cmdFilterClear->setAutoDefault(false);

    lblProcessTime = new QLabel(u"000sec"_s, this);
    lblProcessTime->setObjectName(u"lblProcessTime"_s);
    lblProcessTime->setFont(controlFont());
    // No fixed name: a reader then reads the time it shows, not the first text.
    Describe(*lblProcessTime, QString(), u"アイテム抽出時間"_s);
    PlaceInTwips(*lblProcessTime, 8625, 3105, 900, 240);

    chkRegSearch = addCheck(this, u"chkRegSearch"_s, u"登録検索"_s, 8325, 3390, 1305, kTallCheck);
}

void FilterPanel::buildCounts()
{
    // Each count box carries its label on its left, within the box's designed width.
    constexpr int kLabelWidth = 600;
    const QString names[] = {u"All"_s, u"Links"_s, u"Images"_s, u"Forms"_s, u"Frames"_s};
    const QString captions[] = {u"ALL"_s, u"Links"_s, u"Images"_s, u"Forms"_s, u"Frames"_s};
    for (int i = 0; i < 5; ++i) {
        const int top = 330 + 330 * i;
        auto *label = new QLabel(captions[i], this);
        label->setObjectName(u"lblItemN_"_s + names[i]);
        label->setFont(controlFont());
        Describe(*label, captions[i]);
        PlaceInTwips(*label, 8175, top, kLabelWidth, 300);
        QLineEdit *box = addText(this, u"txtItemN_"_s + names[i], captions[i], 8175 + kLabelWidth, top,
                                 1200 - kLabelWidth);
        // Counts are the program's to write, and no stop for the Tab key.
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        txtItemN[i] = box;
    }
}

bool FilterPanel::isSearchAll() const
{
    return chkSearchAll->isChecked();
}

void FilterPanel::setSearchAll(bool checked)
{
    chkSearchAll->setChecked(checked);
}

bool FilterPanel::isRegSearch() const
{
    return chkRegSearch->isChecked();
}

void FilterPanel::showItemCount(int kind, qint32 count)
{
    if (kind >= 0 && kind < int(txtItemN.size()))
        txtItemN[kind]->setText(QString::number(count));
}

void FilterPanel::showProcessTime(const QString &text)
{
    lblProcessTime->setText(text);
}

// Texts and check boxes leave Enter to the panel.
void FilterPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QGroupBox::keyPressEvent(event);
        return;
    }
    emit updateRequested();
}

void FilterPanel::cmdFilterClear_Click()
{
    for (QCheckBox *box : {chkType_text, chkType_radio, chkType_submit, chkType_hidden, chkType_Other, chkTagName_A,
                           chkTagName_B, chkTagName_FONT, chkTagName_INPUT, chkTagName_IMG, chkTagName_TD,
                           chkTagName_TR, chkTagName_TH, chkTagName_BR, chkTagName_Other, chkHref_http,
                           chkHref_Other})
        box->setChecked(false);
    txtHref_Str[0]->clear();
    txtHref_Str[1]->clear();
    txtTooltip_Str->clear();
    chkTooltip_Other->setChecked(false);
    txtDispStr->clear();
    chkDispStr_Other->setChecked(false);
    chkStrExtend->setChecked(false);
    txtID_Str->clear();
    chkID_Other->setChecked(false);
    txtName_Str->clear();
    chkName_Other->setChecked(false);
}

QGroupBox *FilterPanel::addGroup(int index, const QString &caption, int left, int top, int width, int height)
{
    auto *group = new QGroupBox(caption, this);
    group->setObjectName(u"fraFilterC"_s + QString::number(index));
    QFont font(ancillary::kProportionalGothic);
    font.setPointSizeF(9);
    font.setBold(true);
    group->setFont(font);
    Describe(*group, caption);
    PlaceInTwips(*group, left, top, width, height);
    return group;
}

QCheckBox *FilterPanel::addCheck(QWidget *parent, const QString &name, const QString &caption, int left, int top,
                                 int width, int height)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setFont(controlFont());
    Describe(*box, caption);
    PlaceInTwips(*box, left, top, width, height);
    return box;
}

QLineEdit *FilterPanel::addText(QWidget *parent, const QString &name, const QString &accessibleName, int left,
                                int top, int width, const QString &toolTip)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFont(controlFont());
    Describe(*box, accessibleName, toolTip);
    PlaceInTwips(*box, left, top, width, 300);
    return box;
}

} // namespace inspector
