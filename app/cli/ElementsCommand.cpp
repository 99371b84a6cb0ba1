#include "app/cli/CliCommand.h"

#include "app/cli/CliPage.h"
#include "app/cli/Tsv.h"
#include "page/PropertyCodes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// The filter panel as options: check boxes are 1 when given, 0 when not.
struct FilterOptions
{
    QStringList tags;
    QStringList types;
    bool hrefHttp = false;
    bool hrefOther = false;
    QStringList hrefs;
    QString alt;
    bool altOther = false;
    QString text;
    bool textOther = false;
    bool textExtend = false;
    QString id;
    bool idOther = false;
    QString name;
    bool nameOther = false;
    bool first = false;
    bool registered = false;
    bool json = false;
    QString handle;
};

FilterOptions parseOptions(const QStringList &args)
{
    FilterOptions o;
    const std::map<QString, bool *> flags{
        {u"--href-http"_s, &o.hrefHttp}, {u"--href-other"_s, &o.hrefOther}, {u"--alt-other"_s, &o.altOther},
        {u"--text-other"_s, &o.textOther}, {u"--text-extend"_s, &o.textExtend}, {u"--id-other"_s, &o.idOther},
        {u"--name-other"_s, &o.nameOther}, {u"--first"_s, &o.first}, {u"--registered"_s, &o.registered},
        {u"--json"_s, &o.json}};
    const std::map<QString, QString *> texts{
        {u"--alt"_s, &o.alt}, {u"--text"_s, &o.text}, {u"--id"_s, &o.id}, {u"--name"_s, &o.name}};
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (const auto flag = flags.find(arg); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        if (!arg.startsWith(u"--"_s)) {
            if (!o.handle.isEmpty())
                throw CliUsageError("elements: one handle only");
            o.handle = arg;
            continue;
        }
        if (i + 1 >= args.size())
            throw CliUsageError("elements: " + arg.toStdString() + " needs a value");
        const QString value = args[++i];
        if (const auto text = texts.find(arg); text != texts.end())
            *text->second = value;
        else if (arg == u"--href"_s)
            o.hrefs.append(value);
        else if (arg == u"--tag"_s)
            o.tags.append(value.split(u',', Qt::SkipEmptyParts));
        else if (arg == u"--type"_s)
            o.types.append(value.split(u',', Qt::SkipEmptyParts));
        else
            throw CliUsageError("elements: unknown option " + arg.toStdString());
    }
    if (o.handle.isEmpty())
        throw CliUsageError("elements: no handle");
    if (o.hrefs.size() > 2)
        throw CliUsageError("elements: --href at most twice");
    return o;
}

// One check box per listed name, in the order given; unknown names are errors.
template<size_t N>
std::array<qint16, N> checkBoxes(const QStringList &chosen, const std::array<QString, N> &names, const char *option)
{
    std::array<qint16, N> boxes{};
    for (const QString &name : chosen) {
        const auto it = std::find_if(names.begin(), names.end(),
                                     [&](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
        if (it == names.end())
            throw CliUsageError(std::string("elements: unknown ") + option + " " + name.toStdString());
        boxes[size_t(it - names.begin())] = 1;
    }
    return boxes;
}

// Rebuilds the page's filter as the inspector does; true when any is active.
bool applyFilter(CWebPageHV &page, const FilterOptions &o)
{
    const auto tag = checkBoxes<10>(o.tags, {u"A"_s, u"B"_s, u"FONT"_s, u"INPUT"_s, u"IMG"_s, u"TH"_s, u"TR"_s,
                                             u"TD"_s, u"BR"_s, u"other"_s}, "--tag");
    const auto type = checkBoxes<5>(o.types, {u"text"_s, u"radio"_s, u"submit"_s, u"hidden"_s, u"other"_s}, "--type");
    page.ClearItemFilter();
    bool any = page.SetFilter_TagName(tag[0], tag[1], tag[2], tag[3], tag[4], tag[5], tag[6], tag[7], tag[8], tag[9]);
    any = page.SetFilter_Type(type[0], type[1], type[2], type[3], type[4]) || any;
    any = page.SetFilter_Tooltip(o.alt, o.altOther) || any;
    any = page.SetFilter_Innerhtml(o.text, o.textOther, o.textExtend) || any;
    any = page.SetFilter_Href(o.hrefHttp, o.hrefOther, o.hrefs.value(0), o.hrefs.value(1)) || any;
    any = page.SetFilter_ID(o.id, o.idOther) || any;
    any = page.SetFilter_Name(o.name, o.nameOther) || any;
    return any;
}

const QStringList kJsonKeys{u"tagName"_s, u"type"_s, u"click"_s, u"name"_s, u"value"_s,
                            u"alt"_s,     u"href"_s, u"innerText"_s, u"innerHtml"_s, u"id"_s};

} // namespace

int RunElementsCommand(const QStringList &args, CliOutput io)
{
    const FilterOptions options = parseOptions(args);
    const std::unique_ptr<CliPage> bound = CliPage::bind(options.handle, io);
    if (!bound)
        return ExitUsage;
    CWebPageHV &page = bound->page();
    const bool anyFilter = applyFilter(page, options);
    QList<ItemNo> found;
    if (page.SearchItem(found, !options.first || !anyFilter, options.registered) < 0) {
        io.err << "vorlane-cli: the page changed while it was searched\n";
        return ExitFailed;
    }
    const QList<ItemNo> items = found.mid(1);
    QList<qint32> columns(kId - kTagName + 1); // the inspector's columns, in code order
    std::iota(columns.begin(), columns.end(), kTagName);
    const QList<QList<ItemText>> rows = page.GetItemStrRows(items, columns);

    QJsonArray array;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (!options.json) {
            QStringList fields{QString::number(r + 1), QString::number(items[r])};
            for (const ItemText &cell : rows[r])
                fields.append(cell.text);
            io.out << TsvLine(fields) << '\n';
            continue;
        }
        QJsonObject row{{u"no"_s, r + 1}, {u"item"_s, items[r]}};
        QJsonArray unavailable;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            row.insert(kJsonKeys[c], rows[r][c].text);
            if (rows[r][c].unavailable())
                unavailable.append(columns[c]);
        }
        row.insert(u"unavailable"_s, unavailable);
        array.append(row);
    }
    if (options.json)
        io.out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    return ExitOk;
}
