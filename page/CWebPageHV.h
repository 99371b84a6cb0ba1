#pragma once

#include "page/ItemFilter.h"
#include "page/ItemRowsRead.h"
#include "page/PageCheck.h"
#include "page/ReadFailures.h"
#include "platform/automation/Automation.h"
#include "platform/stores/ProgramSettings.h"
#include "platform/ui/UiServices.h"

#include <QList>
#include <QString>

#include <memory>

// An item number or a count of elements. Wider than the 16 bits in which
// they are shown and stored, so that a page of any size lists every element.
using ItemNo = qint32;

// One browser's page: its document and element list captured at binding,
// the reading of element properties, the element filter and search, and
// the writes, clicks and focus on elements. Item numbers are 0-based
// positions in the element list and hold only for the document captured at
// the last binding.
//
// Tests and read-outs absorb automation failures; binding lets them out.
// Reading a property never fails: an unavailable property is flagged, other
// failures are told to the user (beep, error message box) through the UI
// services it is given.
class CWebPageHV
{
public:
    // The remembered search positions live in `settings`; beeps and message
    // boxes go to `ui`.
    CWebPageHV(stores::ProgramSettings &settings, ui::UiServices &ui);

    // Binding and element collection
    bool SetWebPage(const automation::ObjectPtr &rIe);
    bool SetItems(qint32 vType);
    bool IsWebPage() const;
    PageCheck CheckPage() const;
    // CheckPage found the same page.
    bool CheckWebPage() const;
    qint32 GetIE_hWnd() const;
    bool IsWebPageComplete() const;
    QString GetTitle() const;
    QString GetURL() const;
    ItemNo GetWebItemN(qint32 vType) const;
    QString GetItemStr(ItemNo vItemNo, qint32 vProperty, bool &rError);
    // GetItemStr of each code for each item number, row by row, with one
    // bulk read per member instead of a round trip per cell. A cell whose
    // read beeped carries no unavailable flag.
    QList<QList<ItemText>> GetItemStrRows(const QList<ItemNo> &vItemNos, const QList<qint32> &vProperties);
    // The same rows, sent for without waiting: the browser reads them while
    // the caller goes on.
    std::unique_ptr<ItemRowsRead> StartItemStrRows(const QList<ItemNo> &vItemNos, const QList<qint32> &vProperties);
    // The same of the elements that an earlier read's kUniqueId named,
    // wherever they stand now: the rest of their rows, from the same elements.
    std::unique_ptr<ItemRowsRead> StartItemStrRowsOf(const QStringList &vUniqueIds, const QList<qint32> &vProperties);

    // Filter and search
    void ClearItemFilter();
    void SetSearchStartNo(qint16 vNo);
    void SetSearchEndNo(qint16 vNo);
    bool SetFilter_Type(qint16 vText, qint16 vRadio, qint16 vSubmit, qint16 vHidden, qint16 vOther);
    bool SetFilter_TagName(qint16 vA, qint16 vB, qint16 vFONT, qint16 vINPUT, qint16 vIMG, qint16 vTH, qint16 vTR,
                           qint16 vTD, qint16 vBR, qint16 vOther);
    bool SetFilter_Tooltip(const QString &vStr, qint16 vOther);
    bool SetFilter_Innerhtml(const QString &vStr, qint16 vOther, qint16 vStrExtend);
    bool SetFilter_Href(qint16 vhttp, qint16 vOther, const QString &vStr1, const QString &vStr2);
    bool SetFilter_ID(const QString &vStr, qint16 vOther);
    bool SetFilter_Name(const QString &vStr, qint16 vOther);
    const ItemFilter &itemFilter() const { return mItemFilter; }
    // rItemNo gets bounds 0 to k: slot 0 unused, the k matches in slots 1 to k.
    ItemNo SearchItem(QList<ItemNo> &rItemNo, bool vSearchAll, bool vRegSearch);
    // The reads of the last search that failed (each told to the user),
    // whose elements the filter judged as if the property were empty.
    const QList<automation::AutomationError> &SearchFailures() const { return mSearchFailures; }
    static ItemNo SearchItemNo(ItemNo vDefaultNo, ItemNo vNo, ItemNo vItemN);

    // Element values and actions
    bool SetItem_Value(ItemNo vItemNo, const QString &vStr);
    float SetItemKey_Value(const QString &vKey, const QString &vStr);
    bool ItemClick(ItemNo vNo, QString &vType, const QString &vName);
    bool Click(ItemNo vStartNo, const QString &vName);
    bool SetfocusItem(const QString &vName);

private:
    // The bound browser; ObjectNotSet when none is bound or it is no browser.
    automation::Browser &boundBrowser() const;
    ItemNo rememberedNo() const;
    automation::ElementPtr rowElement(ItemNo vNo, const QString &vName) const;

    stores::ProgramSettings &mSettings;
    ui::UiServices &mUi;
    automation::ObjectPtr mIE;
    automation::DocumentPtr mDoc;
    QString mURL;
    ItemFilter mItemFilter;
    QList<automation::AutomationError> mSearchFailures;
    automation::ElementCollectionPtr mItems;
};
