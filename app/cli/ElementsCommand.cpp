#include "app/cli/CliCommand.h"

#include "app/cli/CliPage.h"
#include "app/cli/Tsv.h"
#include "page/PropertyCodes.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Rows are read and written in runs of this many, so that a reader sees
// them come and the progress line moves.
constexpr qsizetype kRowsPerRun = 256;

const QStringList kTagNames{u"A"_s, u"B"_s, u"FONT"_s, u"INPUT"_s, u"IMG"_s, u"TH"_s, u"TR"_s, u"TD"_s, u"BR"_s,
                            u"other"_s};
const QStringList kTypeNames{u"text"_s, u"radio"_s, u"submit"_s, u"hidden"_s, u"other"_s};

// The grid's columns in code order, by their JSON keys.
const QStringList kJsonKeys{u"tagName"_s, u"type"_s, u"click"_s, u"name"_s, u"value"_s,
                            u"alt"_s,     u"href"_s, u"innerText"_s, u"innerHtml"_s, u"id"_s};

QList<QCommandLineOption> filterOptions()
{
    QList<QCommandLineOption> options{
        {u"tag"_s, u"Tags to list, comma-separated: "_s + kTagNames.join(u',') + u"; other is any other tag."_s,
         u"TAGS"_s},
        {u"type"_s,
         u"Types to list, comma-separated: "_s + kTypeNames.join(u',')
             + u"; other is any other type, the empty one too, of an element that has a type at all."_s,
         u"TYPES"_s},
        {u"href-http"_s, u"Elements whose href begins with http."_s},
        {u"href-other"_s, u"Elements whose href is not empty and does not begin with http."_s},
        {u"href"_s, u"Elements whose href contains TEXT; given twice, it must contain both."_s, u"TEXT"_s},
        {u"alt"_s, u"Elements whose alt contains TEXT."_s, u"TEXT"_s},
        {u"alt-other"_s, u"Every element whose alt is not empty."_s},
        {u"text"_s,
         u"Elements whose innerHtml (the mark-up, not innerText) contains TEXT, if it is 1 to 1024 characters "
         u"long and does not begin with < after any spaces."_s,
         u"TEXT"_s},
        {u"text-other"_s,
         u"Every element whose innerHtml is 1 to 1024 characters long and does not begin with < after any "
         u"spaces."_s},
        {u"text-extend"_s,
         u"With --text or --text-other, an innerHtml that begins with < counts too; alone, it lists nothing."_s},
        {u"id"_s, u"Elements whose id contains TEXT."_s, u"TEXT"_s},
        {u"id-other"_s, u"Every element whose id is not empty."_s},
        {u"name"_s, u"Elements whose name contains TEXT."_s, u"TEXT"_s},
        {u"name-other"_s, u"Every element whose name is not empty."_s},
        {u"first"_s, u"Only the first element found."_s},
        {u"registered"_s, u"With --first: search from where this filter last found an element, and remember it."_s},
    };
    return options + RowFormatOptions();
}

// One check box per listed name; unknown names are errors.
QList<qint16> checkBoxes(const QStringList &values, const QStringList &names, const QString &option)
{
    QList<qint16> boxes(names.size(), 0);
    for (const QString &value : values) {
        for (const QString &name : value.split(u',', Qt::SkipEmptyParts)) {
            const auto it = std::find_if(names.begin(), names.end(), [&](const QString &n) {
                return n.compare(name, Qt::CaseInsensitive) == 0;
            });
            if (it == names.end())
                throw CliUsageError(u"unknown "_s + option + u' ' + name + u"; one of "_s + names.join(u','));
            boxes[it - names.begin()] = 1;
        }
    }
    return boxes;
}

QString single(const QCommandLineParser &options, const QString &name)
{
    const QStringList values = options.values(name);
    if (values.size() > 1)
        throw CliUsageError(u"--"_s + name + u" is given more than once"_s);
    return values.value(0);
}

// The filter panel as the options set it: check boxes are 1 when given.
struct Filter
{
    QList<qint16> tag;
    QList<qint16> type;
    QStringList hrefs;
    QString alt;
    QString text;
    QString id;
    QString name;
    std::function<qint16(const QString &)> box;
};

Filter readFilter(const QCommandLineParser &o)
{
    Filter f{checkBoxes(o.values(u"tag"_s), kTagNames, u"--tag"_s),
             checkBoxes(o.values(u"type"_s), kTypeNames, u"--type"_s),
             o.values(u"href"_s),
             single(o, u"alt"_s),
             single(o, u"text"_s),
             single(o, u"id"_s),
             single(o, u"name"_s),
             [&o](const QString &name) { return qint16(o.isSet(name) ? 1 : 0); }};
    if (f.hrefs.size() > 2)
        throw CliUsageError(u"--href at most twice"_s);
    return f;
}

// Rebuilds the page's filter as the inspector's panel does; true when any is active.
bool applyFilter(CWebPageHV &page, const Filter &f)
{
    const QList<qint16> &tag = f.tag;
    const QList<qint16> &type = f.type;
    page.ClearItemFilter();
    bool any = page.SetFilter_TagName(tag[0], tag[1], tag[2], tag[3], tag[4], tag[5], tag[6], tag[7], tag[8], tag[9]);
    any = page.SetFilter_Type(type[0], type[1], type[2], type[3], type[4]) || any;
    any = page.SetFilter_Tooltip(f.alt, f.box(u"alt-other"_s)) || any;
    any = page.SetFilter_Innerhtml(f.text, f.box(u"text-other"_s), f.box(u"text-extend"_s)) || any;
    any = page.SetFilter_Href(f.box(u"href-http"_s), f.box(u"href-other"_s), f.hrefs.value(0), f.hrefs.value(1)) || any;
    any = page.SetFilter_ID(f.id, f.box(u"id-other"_s)) || any;
    any = page.SetFilter_Name(f.name, f.box(u"name-other"_s)) || any;
    return any;
}

QString counted(qsizetype n, const QString &one, const QString &many)
{
    return QString::number(n) + u' ' + (n == 1 ? one : many);
}

// The numbers of failed reads, as the end of a message.
QString errorNumbers(const QList<qint32> &failed)
{
    QList<qint32> numbers = failed;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    QStringList texts;
    for (const qint32 number : numbers)
        texts.append(QString::number(number));
    return u" (error "_s + texts.join(u", "_s) + u')';
}

int runElements(CliCall &call)
{
    const RowFormat format = call.rowFormat();
    const QCommandLineParser &o = call.options;
    const Filter filter = readFilter(o);
    const std::unique_ptr<CliPage> bound = CliPage::bind(call.arguments[0], call);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    const bool anyFilter = applyFilter(page, filter);

    CliProgress progress(call.err());
    progress.set(u"searching the page's elements"_s);
    QList<ItemNo> found;
    try {
        if (page.SearchItem(found, !o.isSet(u"first"_s) || !anyFilter, o.isSet(u"registered"_s)) < 0)
            throw CliFailure(u"the page changed while it was searched"_s);
    } catch (const automation::AutomationError &e) {
        throw CliFailure(u"the search failed: "_s + CliErrorText(e));
    }
    QList<qint32> searchFailures;
    for (const automation::AutomationError &failure : page.SearchFailures())
        searchFailures.append(failure.number());

    const QList<ItemNo> items = found.mid(1);
    // The search counts a page it cannot count as empty; an empty listing
    // must come from a page that really has no match.
    if (items.isEmpty())
        bound->elementCount();
    QList<qint32> columns(kId - kTagName + 1);
    std::iota(columns.begin(), columns.end(), kTagName);
    JsonRows json(call.out(), format);
    qsizetype failedReads = 0;
    qsizetype failedRows = 0;
    QList<qint32> failureNumbers;
    // One run is read ahead while the one before is written, so that the
    // browser and we work at the same time.
    const auto startRun = [&](qsizetype first) {
        return first < items.size() ? page.StartItemStrRows(items.mid(first, kRowsPerRun), columns) : nullptr;
    };
    std::unique_ptr<ItemRowsRead> next = startRun(0);
    for (qsizetype first = 0; first < items.size(); first += kRowsPerRun) {
        progress.set(u"reading elements"_s, first, items.size());
        const std::unique_ptr<ItemRowsRead> current = std::exchange(next, startRun(first + kRowsPerRun));
        const QList<QList<ItemText>> rows = current->take();
        // A page that has gone reads as elements that lack their members:
        // such rows must not go out as true ones before the failure. The
        // check waits behind the run read ahead, so it is made only then.
        const auto mayHaveGone = [](const QList<ItemText> &row) {
            return std::any_of(row.begin(), row.end(), [](const ItemText &cell) { return cell.elementMayHaveGone(); });
        };
        if (std::any_of(rows.begin(), rows.end(), mayHaveGone))
            bound->requireSamePage();
        for (qsizetype r = 0; r < rows.size(); ++r) {
            QList<qint64> unavailable;
            QList<qint64> failed;
            QStringList failedKeys;
            for (qsizetype c = 0; c < columns.size(); ++c) {
                const ItemText &cell = rows[r][c];
                if (cell.unavailable())
                    unavailable.append(columns[c]);
                if (cell.failed()) {
                    failureNumbers.append(cell.failure->number());
                    failed.append(columns[c]);
                    failedKeys.append(kJsonKeys[c]);
                }
            }
            const qsizetype no = first + r + 1;
            const ItemNo item = items[first + r];
            if (!failed.isEmpty()) {
                failedReads += failed.size();
                ++failedRows;
                if (format == RowFormat::Text)
                    call.err().message(u"item "_s + QString::number(item) + u": "_s + failedKeys.join(u", "_s)
                                       + u" could not be read"_s);
            }
            if (format == RowFormat::Text) {
                QStringList fields{QString::number(no), QString::number(item)};
                for (const ItemText &cell : rows[r])
                    fields.append(cell.text);
                call.out() << TsvLine(fields) << '\n';
                continue;
            }
            JsonFields row{{u"no"_s, qint64(no)}, {u"item"_s, qint64(item)}};
            row.reserve(columns.size() + 4);
            for (qsizetype c = 0; c < columns.size(); ++c)
                row.append({kJsonKeys[c], rows[r][c].text});
            row.append({u"unavailable"_s, unavailable});
            row.append({u"failed"_s, failed});
            json.append(row);
        }
        call.out().flush();
    }
    json.finish();

    int status = ExitOk;
    if (!searchFailures.isEmpty()) {
        // The filter took each property it could not read for an empty one.
        call.err().message(u"the search could not read "_s
                           + counted(searchFailures.size(), u"property"_s, u"properties"_s)
                           + u", so the list may miss elements or hold some that do not match"_s
                           + errorNumbers(searchFailures));
        status = ExitFailed;
    }
    if (failedReads > 0) {
        call.err().message(counted(failedReads, u"property"_s, u"properties"_s) + u" of "_s
                           + counted(failedRows, u"element"_s, u"elements"_s) + u" could not be read"_s
                           + (format == RowFormat::Text ? u" and are left empty"_s
                                                        : u"; their codes are in \"failed\""_s)
                           + errorNumbers(failureNumbers));
        status = ExitFailed;
    }
    // Elements of a page that has gone read as unavailable, not as failed.
    bound->requireSamePage();
    return status;
}

} // namespace

CliCommand ElementsCommand()
{
    return {u"elements"_s,
            u"List the elements of a tab, as the inspector does."_s,
            u"Lists what a refresh of the inspector lists for the tab with that handle: row number, item number "
            u"and the ten grid properties, tab-separated. In JSON: no, item, tagName, type, click, name, value, "
            u"alt, href, innerText, innerHtml, id, unavailable (the property codes whose member the element "
            u"lacks) and failed (the codes whose read failed). A failed read is also a line on stderr and "
            u"exit status 1. An element is listed when it passes every kind of filter given; the choices within "
            u"one kind are alternatives, so --alt TEXT with --alt-other lists every element whose alt is not "
            u"empty. Texts are compared exactly, case and all; href, alt, innerHtml, id and name are the columns "
            u"of those names."_s,
            {{u"HANDLE"_s, u"The tab's window handle, as tabs prints it."_s}},
            filterOptions(),
            runElements};
}
