// The page model on real pages in headless Chromium.
#include "page/CWebPageHV.h"
#include "platform/stores/MemoryProgramSettings.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/chromium/ChromiumFixture.h"
#include "tests/ui/RecordingUiServices.h"

#include <QHash>

#include <numeric>

using namespace Qt::StringLiterals;
using testsupport::eventually;

namespace {

// Every case the filter categories treat specially, each with an identifier.
const QString kElements = uR"html(<title>elements</title>
<table><tr id=row><th id=head>Head</th><td id=cell>cell text</td></tr></table>
<a id=secure href="https://secure.test/path">secure</a>
<a id=script href="javascript:void(0)">js</a>
<a id=mail href="mailto:someone@a.test">mail</a>
<a id=anchor name=top>no href</a>
<input id=text name=q value="typed">
<input id=empty name=e type=text>
<input id=pw type=password name=secret>
<select id=sel name=choice><option id=opt value=1>One</option></select>
<img id=pic alt="a picture" src="x.png" title="tip">
<div id=bold><b id=b>bold</b> text</div>
<div id=long>%1</div>
<div id=exact>%2</div>
<span id=plain>plain span</span>
<input type=submit id=go value=Go>
<input type=hidden id=hid value=h>
<font id=fnt>font</font><br id=br>
)html"_s.arg(QString(1025, u'x'), QString(1024, u'y'));

// A page that changes what its own scripts see of the document model.
const QString kHostile = uR"html(<script>
  Object.defineProperty(Element.prototype, 'tagName', {get() { return 'HACKED'; }});
  Object.defineProperty(Element.prototype, 'innerHTML', {get() { throw new Error('no'); }});
  Object.defineProperty(Element.prototype, 'id', {get() { return 'hacked'; }});
  Object.defineProperty(HTMLElement.prototype, 'innerText', {get() { return 'HACKED'; }});
  Object.defineProperty(HTMLInputElement.prototype, 'value', {get() { throw new Error('no'); }});
  Object.defineProperty(HTMLAnchorElement.prototype, 'href', {get() { return 'http://hacked/'; }});
  Array.prototype.map = () => 'HACKED';
  Array.prototype.push = () => 0;
  String.prototype.toLowerCase = () => 'HACKED';
  JSON.stringify = () => 'HACKED';
  document.getElementById = () => null;
  Object.getPrototypeOf = () => null;
  document.currentScript.remove();
</script>)html"_s;

using FilterCase = std::pair<const char *, std::function<void(CWebPageHV &)>>;

// Each filter category alone, with each of its kinds of condition, and together.
QList<FilterCase> filterCases()
{
    return {
        {"tag A", [](CWebPageHV &p) { p.SetFilter_TagName(1, 0, 0, 0, 0, 0, 0, 0, 0, 0); }},
        {"tag TH, TR, TD", [](CWebPageHV &p) { p.SetFilter_TagName(0, 0, 0, 0, 0, 1, 1, 1, 0, 0); }},
        {"tag FONT, BR", [](CWebPageHV &p) { p.SetFilter_TagName(0, 0, 1, 0, 0, 0, 0, 0, 1, 0); }},
        {"tag other", [](CWebPageHV &p) { p.SetFilter_TagName(0, 0, 0, 0, 0, 0, 0, 0, 0, 1); }},
        {"type text", [](CWebPageHV &p) { p.SetFilter_Type(1, 0, 0, 0, 0); }},
        {"type submit, hidden", [](CWebPageHV &p) { p.SetFilter_Type(0, 0, 1, 1, 0); }},
        {"type other", [](CWebPageHV &p) { p.SetFilter_Type(0, 0, 0, 0, 1); }},
        {"inner text", [](CWebPageHV &p) { p.SetFilter_Innerhtml(u"bold"_s, 0, 0); }},
        {"inner text, extended", [](CWebPageHV &p) { p.SetFilter_Innerhtml(u"bold"_s, 0, 1); }},
        {"inner other", [](CWebPageHV &p) { p.SetFilter_Innerhtml(QString(), 1, 0); }},
        {"inner extended only", [](CWebPageHV &p) { p.SetFilter_Innerhtml(QString(), 0, 1); }},
        {"tooltip", [](CWebPageHV &p) { p.SetFilter_Tooltip(u"pict"_s, 0); }},
        {"tooltip other", [](CWebPageHV &p) { p.SetFilter_Tooltip(QString(), 1); }},
        {"href http", [](CWebPageHV &p) { p.SetFilter_Href(1, 0, QString(), QString()); }},
        {"href other", [](CWebPageHV &p) { p.SetFilter_Href(0, 1, QString(), QString()); }},
        {"href texts", [](CWebPageHV &p) { p.SetFilter_Href(0, 0, u"secure"_s, u"path"_s); }},
        {"href dot", [](CWebPageHV &p) { p.SetFilter_Href(0, 0, u"・"_s, QString()); }},
        {"id", [](CWebPageHV &p) { p.SetFilter_ID(u"xac"_s, 0); }},
        {"name other", [](CWebPageHV &p) { p.SetFilter_Name(QString(), 1); }},
        {"input, text, name q", [](CWebPageHV &p) {
             p.SetFilter_TagName(0, 0, 0, 1, 0, 0, 0, 0, 0, 0);
             p.SetFilter_Type(1, 0, 0, 0, 0);
             p.SetFilter_Name(u"q"_s, 0);
         }},
    };
}

class PageTest : public testsupport::ChromiumTest
{
protected:
    // Binds the page model to a new tab showing html.
    automation::BrowserPtr bind(const QString &path, const QString &html)
    {
        automation::BrowserPtr browser = openPage(path, html);
        EXPECT_TRUE(page.SetWebPage(browser));
        return browser;
    }

    QList<ItemNo> allItems()
    {
        QList<ItemNo> items(page.GetWebItemN(-1));
        std::iota(items.begin(), items.end(), ItemNo(0));
        return items;
    }

    // Item numbers by identifier.
    QHash<QString, ItemNo> itemsById()
    {
        QHash<QString, ItemNo> items;
        const QList<ItemNo> all = allItems();
        const QList<QList<ItemText>> ids = page.GetItemStrRows(all, {10});
        for (qsizetype i = 0; i < all.size(); ++i)
            items.insert(ids[i][0].text, all[i]);
        return items;
    }

    // The identifiers of every element that a full search with `filter` lists.
    QStringList found(const std::function<void(CWebPageHV &)> &filter, bool all = true, bool remembered = false)
    {
        page.ClearItemFilter();
        filter(page);
        QList<ItemNo> items;
        EXPECT_GE(page.SearchItem(items, all, remembered), 0);
        QStringList ids;
        for (const QList<ItemText> &row : page.GetItemStrRows(items.mid(1), {10}))
            ids.append(row[0].text);
        return ids;
    }

    // What examining every element by the filter's own rules finds: each
    // position in the search's order, or the first match from centre.
    QList<ItemNo> examinedOneByOne(bool all, ItemNo centre = -1)
    {
        const ItemFilter &filter = page.itemFilter();
        const QList<ItemNo> items = allItems();
        const QList<qint32> codes = filter.propertyCodes();
        const QList<QList<ItemText>> rows = page.GetItemStrRows(items, codes);
        QList<ItemNo> found{0};
        for (ItemNo i = 0; i < items.size(); ++i) {
            const ItemNo p = all ? i : CWebPageHV::SearchItemNo(centre, i, ItemNo(items.size()));
            if (!filter.match([&](qint32 code) { return rows[p][codes.indexOf(code)]; }))
                continue;
            found.append(p);
            if (!all)
                break;
        }
        return found;
    }

    QString read(ItemNo item, qint32 code, bool *unavailable = nullptr)
    {
        bool error = false;
        const QString text = page.GetItemStr(item, code, error);
        if (unavailable)
            *unavailable = error;
        return text;
    }

    ui::RecordingUiServices ui;
    stores::MemoryProgramSettings settings;
    CWebPageHV page{settings, ui};
};

} // namespace

TEST_F(PageTest, PropertyCodesOnElementsThatHaveAndLackEachMember)
{
    bind(u"/codes.html"_s, kElements);
    const QHash<QString, ItemNo> at = itemsById();
    EXPECT_EQ(read(0, 1), u"HTML"_s);
    EXPECT_EQ(read(at[u"text"_s], 1), u"INPUT"_s);
    EXPECT_EQ(read(at[u"text"_s], 2), u"text"_s);
    EXPECT_EQ(read(at[u"text"_s], 4), u"q"_s);
    EXPECT_EQ(read(at[u"text"_s], 5), u"typed"_s);
    EXPECT_EQ(read(at[u"sel"_s], 2), u"select-one"_s);
    EXPECT_EQ(read(at[u"sel"_s], 5), u"1"_s);
    EXPECT_EQ(read(at[u"pic"_s], 6), u"a picture"_s);
    EXPECT_EQ(read(at[u"pic"_s], 15), u"tip"_s);
    EXPECT_EQ(read(at[u"secure"_s], 7), u"https://secure.test/path"_s);
    EXPECT_EQ(read(at[u"cell"_s], 8), u"cell text"_s);
    EXPECT_EQ(read(at[u"bold"_s], 9), u"<b id=\"b\">bold</b> text"_s);
    EXPECT_EQ(read(at[u"opt"_s], 12), u"One"_s);
    EXPECT_EQ(read(at[u"plain"_s], 13), u"<span id=\"plain\">plain span</span>"_s);

    bool unavailable = false;
    EXPECT_EQ(read(at[u"cell"_s], 5, &unavailable), QString());
    EXPECT_TRUE(unavailable);
    EXPECT_EQ(read(at[u"bold"_s], 7, &unavailable), QString());
    EXPECT_TRUE(unavailable);
    EXPECT_EQ(read(at[u"empty"_s], 5, &unavailable), QString());
    EXPECT_FALSE(unavailable);
    EXPECT_EQ(read(page.GetWebItemN(-1), 1, &unavailable), QString());
    EXPECT_TRUE(unavailable);

    // Generated per element, and the same for as long as the element lives.
    const QString uid = read(at[u"text"_s], 14);
    EXPECT_FALSE(uid.isEmpty());
    EXPECT_EQ(read(at[u"text"_s], 14), uid);
    EXPECT_NE(read(at[u"empty"_s], 14), uid);

    // Whole rows read in bulk give exactly what single reads give.
    QList<qint32> codes(16);
    std::iota(codes.begin(), codes.end(), 0);
    const QList<ItemNo> items = allItems();
    const QList<QList<ItemText>> rows = page.GetItemStrRows(items, codes);
    for (const ItemNo item : items) {
        for (const qint32 code : codes) {
            const QString single = read(item, code, &unavailable);
            if (code == 14)
                continue; // also generated on first read, by either path
            EXPECT_EQ(rows[item][code].text, single) << item << " code " << code;
            EXPECT_EQ(rows[item][code].unavailable(), unavailable) << item << " code " << code;
        }
    }
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(PageTest, LongTextsArriveWholeInBulk)
{
    // Six texts of 900,000 characters: more than one bulk answer carries.
    bind(u"/long.html"_s, uR"html(<body><script>
      for (let i = 0; i < 6; i++) {
        const div = document.createElement('div');
        div.textContent = String(i).repeat(900000);
        document.body.append(div);
      }
    </script>)html"_s);
    const QList<ItemNo> items = allItems();
    const QList<QList<ItemText>> rows = page.GetItemStrRows(items, {8});
    ASSERT_FALSE(items.isEmpty());
    ASSERT_EQ(rows.size(), items.size());
    for (const ItemNo item : items) {
        const QString single = read(item, 8);
        EXPECT_EQ(rows[item][0].text.size(), single.size()) << item;
        EXPECT_TRUE(rows[item][0].text == single) << item;
    }
    EXPECT_EQ(rows.back()[0].text, QString(900000, u'5'));
}

TEST_F(PageTest, FilterCategoriesAloneAndTogetherAlsoOnAHostilePage)
{
    const QList<FilterCase> filters = filterCases();
    const QList<QStringList> expected{
        {u"secure"_s, u"script"_s, u"mail"_s, u"anchor"_s},
        {u"row"_s, u"head"_s, u"cell"_s},
        {u"fnt"_s, u"br"_s},
        {},
        {u"text"_s, u"empty"_s},
        {u"go"_s, u"hid"_s},
        {},
        {u"b"_s},
        {u"bold"_s, u"b"_s},
        {},
        {},
        {u"pic"_s},
        {u"pic"_s},
        {u"secure"_s},
        {u"script"_s, u"mail"_s},
        {u"secure"_s},
        {},
        {u"exact"_s},
        {u"anchor"_s, u"text"_s, u"empty"_s, u"pw"_s, u"sel"_s},
        {u"text"_s},
    };

    bind(u"/filters.html"_s, kElements);
    QList<QStringList> plain;
    for (const auto &[name, filter] : filters)
        plain.append(found(filter));
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (!expected[i].isEmpty()) {
            EXPECT_EQ(plain[i], expected[i]) << filters[i].first;
        }
    }
    // Listed tags never pass as other; elements with no type never pass type other.
    EXPECT_TRUE(plain[3].contains(u"plain"_s) && plain[3].contains(u"sel"_s) && !plain[3].contains(u"secure"_s));
    EXPECT_TRUE(plain[6].contains(u"pw"_s) && plain[6].contains(u"sel"_s) && !plain[6].contains(u"bold"_s));
    // Inner mark-up that opens with a tag, or is longer than 1024, fails.
    EXPECT_TRUE(plain[9].contains(u"exact"_s) && !plain[9].contains(u"long"_s) && !plain[9].contains(u"bold"_s));
    EXPECT_TRUE(plain[10].isEmpty());
    EXPECT_TRUE(plain[16].isEmpty());

    bind(u"/hostile.html"_s, kElements + kHostile);
    for (qsizetype i = 0; i < filters.size(); ++i)
        EXPECT_EQ(found(filters[i].second), plain[i]) << "hostile: " << filters[i].first;
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(PageTest, FirstMatchAndTheRememberedPosition)
{
    bind(u"/first.html"_s, kElements);
    const auto links = [](CWebPageHV &p) { p.SetFilter_TagName(1, 0, 0, 0, 0, 0, 0, 0, 0, 0); };
    EXPECT_EQ(found(links, false, false), QStringList{u"secure"_s});
    EXPECT_EQ(found(links, false, true), QStringList{u"secure"_s});
    const QString key = u"000010[][]00[]0[]0[]0[]"_s;
    EXPECT_EQ(settings.GetSetting(u"Vorlane"_s, u"ItemFilter"_s, key, {}),
              QString::number(itemsById()[u"secure"_s]));

    // Remembered at the mail link: found there, not at the first link.
    settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, key, QString::number(itemsById()[u"mail"_s]));
    EXPECT_EQ(found(links, false, true), QStringList{u"mail"_s});
    EXPECT_EQ(found(links, false, false), QStringList{u"secure"_s});
}

// The page passes over what cannot match and the filter judges the rest:
// the same elements as judging every one, for whole-list and first-match
// searches from anywhere, on a page that redefines what its scripts see too.
TEST_F(PageTest, PassingOverInThePageFindsWhatExaminingEveryElementFinds)
{
    QList<FilterCase> filters = filterCases();
    filters += {
        {"tag other, type other", [](CWebPageHV &p) {
             p.SetFilter_TagName(0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
             p.SetFilter_Type(0, 0, 0, 0, 1);
         }},
        {"tag A, href http and other", [](CWebPageHV &p) {
             p.SetFilter_TagName(1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
             p.SetFilter_Href(1, 1, QString(), QString());
         }},
        {"inner other, extended, id other", [](CWebPageHV &p) {
             p.SetFilter_Innerhtml(QString(), 1, 1);
             p.SetFilter_ID(QString(), 1);
         }},
        {"tooltip and name texts", [](CWebPageHV &p) {
             p.SetFilter_Tooltip(u"a"_s, 0);
             p.SetFilter_Name(u"e"_s, 1);
         }},
    };
    for (const auto &[path, html] : {std::pair{u"/passed-over.html"_s, kElements},
                                     std::pair{u"/hostile-passed-over.html"_s, QString(kElements + kHostile)}}) {
        bind(path, html);
        const ItemNo n = page.GetWebItemN(-1);
        for (const auto &[name, filter] : filters) {
            SCOPED_TRACE(testing::Message() << path.toStdString() << ": " << name);
            page.ClearItemFilter();
            filter(page);
            QList<ItemNo> searched;
            page.SearchItem(searched, true, false);
            EXPECT_EQ(searched, examinedOneByOne(true));
            for (const ItemNo centre : {ItemNo(0), ItemNo(n / 2), ItemNo(n - 1)}) {
                settings.SaveSetting(u"Vorlane"_s, u"ItemFilter"_s, page.itemFilter().key(), QString::number(centre));
                page.SearchItem(searched, false, true);
                EXPECT_EQ(searched, examinedOneByOne(false, centre)) << "from " << centre;
            }
        }
    }
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(PageTest, WrittenValuesAreSeenByThePageAsAUsersEdit)
{
    auto browser = bind(u"/write.html"_s, uR"html(<title>start</title>
      <input id=bound><input id=other value=x><ol><li id=key value=3>item</li></ol><input name=key value=n>
      <script>
        // A framework's two-way binding: the model follows input events and
        // is written back into the field on every render.
        const model = {text: 'initial'};
        const field = document.getElementById('bound');
        const heard = [];
        field.addEventListener('input', () => { model.text = field.value; heard.push('input'); });
        field.addEventListener('change', () => heard.push('change'));
        setInterval(() => { field.value = model.text; document.title = model.text + '|' + heard.join(','); }, 10);
      </script>)html"_s);
    const QHash<QString, ItemNo> at = itemsById();
    EXPECT_TRUE(page.SetItem_Value(at[u"bound"_s], u"新しい値"_s));
    EXPECT_TRUE(eventually([&] { return browser->locationName() == u"新しい値|input,change"_s; }));
    EXPECT_EQ(read(at[u"bound"_s], 5), u"新しい値"_s);

    EXPECT_TRUE(page.SetItem_Value(at[u"other"_s], QString()));
    EXPECT_EQ(read(at[u"other"_s], 5), QString());
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_FALSE(page.SetItem_Value(page.GetWebItemN(-1), u"x"_s));
    EXPECT_EQ(ui.beeps, 1);

    // Identifiers are searched before input names.
    EXPECT_EQ(page.SetItemKey_Value(u"key"_s, u"5"_s), float(at[u"key"_s]));
    EXPECT_EQ(read(at[u"key"_s], 5), u"5"_s);
    EXPECT_EQ(read(at[u"key"_s] + 1, 5), u"n"_s);
    EXPECT_EQ(page.SetItemKey_Value(u"nothing"_s, u"5"_s), -1.0f);
    EXPECT_EQ(ui.beeps, 2);
}

TEST_F(PageTest, ClicksChecksAndFocus)
{
    server().setPage(u"/next.html"_s, u"<title>next</title>"_s);
    auto browser = bind(u"/click.html"_s, uR"html(<title>click</title>
      <input type=radio name=g value=1><input type=radio name=g value=2><input type=radio name=g value=3>
      <input type=checkbox name=c value=a><input type=checkbox name=c value=b>
      <input type=radio id=solo name=s><input type=radio>
      <input id=f onfocus="focused = true">
      <a id=go href="/next.html">next</a>
      <script>
        let focused = false;
        setInterval(() => {
          document.title = [...document.querySelectorAll('input')].map(i => i.checked ? 1 : 0).join('')
                           + (focused ? ' focused' : '');
        }, 10);
      </script>)html"_s);
    QList<ItemNo> inputs;
    for (const ItemNo item : allItems()) {
        if (read(item, 1) == u"INPUT"_s)
            inputs.append(item);
    }
    ASSERT_EQ(inputs.size(), 8);
    const auto shows = [&](const QString &title) {
        return eventually([&] { return browser->locationName() == title; });
    };
    // As the inspector calls it: the row's type, and its identifier or else its name.
    const auto clickRow = [&](int input) {
        QString type = read(inputs[input], 2);
        const QString id = read(inputs[input], 10);
        page.ItemClick(inputs[input], type, id.isEmpty() ? read(inputs[input], 4) : id);
    };

    // The row's own button of a group that shares a name, not the group's first.
    clickRow(2);
    EXPECT_TRUE(shows(u"00100000"_s));
    clickRow(1);
    EXPECT_TRUE(shows(u"01000000"_s));
    clickRow(4);
    EXPECT_TRUE(shows(u"01001000"_s));
    clickRow(4);
    EXPECT_TRUE(shows(u"01000000"_s));
    clickRow(5); // by identifier
    EXPECT_TRUE(shows(u"01000100"_s));
    clickRow(6); // neither identifier nor name: clicked
    EXPECT_TRUE(shows(u"01000110"_s));

    EXPECT_FALSE(page.SetfocusItem(u"nothing"_s));
    EXPECT_FALSE(page.SetfocusItem(u"f"_s));
    EXPECT_TRUE(shows(u"01000110 focused"_s));

    // A click that navigates; after it the old item numbers are not used.
    const QHash<QString, ItemNo> at = itemsById();
    QString type = read(at[u"go"_s], 2);
    page.ItemClick(at[u"go"_s], type, u"go"_s);
    EXPECT_TRUE(shows(u"next"_s));
    EXPECT_FALSE(page.CheckWebPage());
    EXPECT_NO_THROW(page.ItemClick(at[u"go"_s], type, u"go"_s));
    EXPECT_FALSE(page.SetfocusItem(u"f"_s));
    EXPECT_EQ(ui.beeps, 1);
}
