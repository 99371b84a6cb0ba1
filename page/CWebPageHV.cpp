#include "page/CWebPageHV.h"

#include "page/ItemReader.h"
#include "platform/automation/Absorb.h"
#include "platform/automation/BrowserTests.h"

#include <limits>

using namespace Qt::StringLiterals;
using automation::AutomationError;
using automation::CollectionKind;
using automation::absorbed;

namespace {

CollectionKind listKind(qint32 vType)
{
    switch (vType) {
    case 1:
        return CollectionKind::Links;
    case 2:
        return CollectionKind::Images;
    case 3:
        return CollectionKind::Frames;
    default:
        return CollectionKind::All;
    }
}

} // namespace

CWebPageHV::CWebPageHV(stores::ProgramSettings &settings, ui::UiServices &ui)
    : mSettings(settings)
    , mUi(ui)
{
}

automation::Browser &CWebPageHV::boundBrowser() const
{
    auto *ie = dynamic_cast<automation::Browser *>(mIE.get());
    if (!ie)
        throw AutomationError::objectNotSet(u"CWebPageHV"_s);
    return *ie;
}

bool CWebPageHV::SetWebPage(const automation::ObjectPtr &rIe)
{
    mIE = rIe;
    if (!IsWebPage()) {
        mDoc = nullptr;
        return false;
    }
    mDoc = boundBrowser().document();
    mURL = boundBrowser().locationURL();
    mItems = mDoc->collection(CollectionKind::All);
    return true;
}

bool CWebPageHV::SetItems(qint32 vType)
{
    if (!IsWebPage()) {
        mDoc = nullptr;
        return false;
    }
    mDoc = boundBrowser().document();
    mItems = mDoc->collection(listKind(vType));
    return true;
}

bool CWebPageHV::IsWebPage() const
{
    return automation::asWebPage(mIE) != nullptr;
}

PageCheck CWebPageHV::CheckPage() const
{
    QString url; // none where the tab cannot tell it
    try {
        url = boundBrowser().locationURL();
    } catch (const AutomationError &e) {
        if (e.unanswered())
            return {PageCheck::Outcome::NoAnswer, e};
    }
    return {url == mURL ? PageCheck::Outcome::SamePage : PageCheck::Outcome::Elsewhere, std::nullopt};
}

bool CWebPageHV::CheckWebPage() const
{
    return CheckPage().outcome == PageCheck::Outcome::SamePage;
}

qint32 CWebPageHV::GetIE_hWnd() const
{
    if (!IsWebPage())
        return 0;
    return absorbed(0, [&] { return boundBrowser().hwnd(); });
}

bool CWebPageHV::IsWebPageComplete() const
{
    return absorbed(true, [&] {
        automation::Browser &ie = boundBrowser();
        const bool busy = ie.busy();
        const qint32 readyState = ie.readyState(); // read even when busy: its failure counts too
        return !busy && readyState == automation::ReadyState::Complete;
    });
}

QString CWebPageHV::GetTitle() const
{
    return absorbed(u"No Title"_s, [&] { return boundBrowser().locationName(); });
}

QString CWebPageHV::GetURL() const
{
    return absorbed(u"No URL"_s, [&] { return boundBrowser().locationURL(); });
}

ItemNo CWebPageHV::GetWebItemN(qint32 vType) const
{
    return absorbed(ItemNo(0), [&] {
        qint32 length = 0;
        if (vType >= 0 && vType <= 4) {
            if (!mDoc)
                throw AutomationError::objectNotSet(u"CWebPageHV"_s);
            const CollectionKind kinds[] = {CollectionKind::All, CollectionKind::Links, CollectionKind::Images,
                                            CollectionKind::Forms, CollectionKind::Frames};
            length = mDoc->collection(kinds[vType])->length();
        } else {
            if (!mItems)
                throw AutomationError::objectNotSet(u"CWebPageHV"_s);
            length = mItems->length();
        }
        return ItemNo(length);
    });
}

QString CWebPageHV::GetItemStr(ItemNo vItemNo, qint32 vProperty, bool &rError)
{
    ReadFailures failures(mUi);
    const ItemText read = ItemReader(mItems, failures).read(vItemNo, vProperty);
    switch (read.outcome) {
    case ItemText::Outcome::Read:
    case ItemText::Outcome::Reported:
        rError = false;
        break;
    case ItemText::Outcome::Unavailable:
        rError = true;
        break;
    case ItemText::Outcome::Beeped:
        break;
    }
    return read.text;
}

QList<QList<ItemText>> CWebPageHV::GetItemStrRows(const QList<ItemNo> &vItemNos, const QList<qint32> &vProperties)
{
    return StartItemStrRows(vItemNos, vProperties)->take();
}

std::unique_ptr<ItemRowsRead> CWebPageHV::StartItemStrRows(const QList<ItemNo> &vItemNos,
                                                           const QList<qint32> &vProperties)
{
    return std::make_unique<ItemRowsRead>(mItems, mUi, vItemNos, vProperties);
}

std::unique_ptr<ItemRowsRead> CWebPageHV::StartItemStrRowsOf(const QStringList &vUniqueIds,
                                                             const QList<qint32> &vProperties)
{
    return std::make_unique<ItemRowsRead>(mItems, mUi, vUniqueIds, vProperties);
}
