#pragma once

#include <QGroupBox>

#include <array>

class CWebPageHV;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace inspector {

// The inspector's filter frame. Ticking a box or typing a text does nothing
// by itself: the panel only holds the settings until a refresh hands them to
// the page. Positions are the designed ones, in twips.
class FilterPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit FilterPanel(QWidget *parent = nullptr);

    // Rebuilds the page's filter from the panel; true when any filter is set.
    bool ApplyFilterPanel(CWebPageHV &rPage) const;

    // What the refresh reads from the frame and shows in it. Count kinds
    // are those of CWebPageHV::GetWebItemN, 0 to 4.
    bool isSearchAll() const;
    void setSearchAll(bool checked);
    bool isRegSearch() const;
    void showItemCount(int kind, qint32 count);
    void showProcessTime(const QString &text);

signals:
    // Enter anywhere in the panel asks for the list by the panel's settings.
    void updateRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildTypeAndTagGroups();
    void buildTextGroups();
    void buildSearchOptions();
    void buildCounts();
    void cmdFilterClear_Click();

    QGroupBox *addGroup(int index, const QString &caption, int left, int top, int width, int height);
    QCheckBox *addCheck(QWidget *parent, const QString &name, const QString &caption, int left, int top,
                        int width = 900, int height = 300);
    QLineEdit *addText(QWidget *parent, const QString &name, const QString &accessibleName, int left, int top,
                       int width, const QString &toolTip = {});

    QCheckBox *chkSearchAll = nullptr;
    QCheckBox *chkRegSearch = nullptr;
    QLabel *lblProcessTime = nullptr;
    std::array<QLineEdit *, 5> txtItemN{};

    QCheckBox *chkType_text = nullptr;
    QCheckBox *chkType_radio = nullptr;
    QCheckBox *chkType_submit = nullptr;
    QCheckBox *chkType_hidden = nullptr;
    QCheckBox *chkType_Other = nullptr;

    QCheckBox *chkTagName_A = nullptr;
    QCheckBox *chkTagName_B = nullptr;
    QCheckBox *chkTagName_FONT = nullptr;
    QCheckBox *chkTagName_INPUT = nullptr;
    QCheckBox *chkTagName_IMG = nullptr;
    QCheckBox *chkTagName_TH = nullptr;
    QCheckBox *chkTagName_TR = nullptr;
    QCheckBox *chkTagName_TD = nullptr;
    QCheckBox *chkTagName_BR = nullptr;
    QCheckBox *chkTagName_Other = nullptr;

    QCheckBox *chkHref_http = nullptr;
    QCheckBox *chkHref_Other = nullptr;
    std::array<QLineEdit *, 2> txtHref_Str{};

    QLineEdit *txtTooltip_Str = nullptr;
    QCheckBox *chkTooltip_Other = nullptr;
    QLineEdit *txtDispStr = nullptr;
    QCheckBox *chkDispStr_Other = nullptr;
    QCheckBox *chkStrExtend = nullptr;
    QLineEdit *txtName_Str = nullptr;
    QCheckBox *chkName_Other = nullptr;
    QLineEdit *txtID_Str = nullptr;
    QCheckBox *chkID_Other = nullptr;
};

} // namespace inspector
