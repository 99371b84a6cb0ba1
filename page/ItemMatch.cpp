#include "page/ItemMatch.h"

#include "page/PropertyCodes.h"

using namespace Qt::StringLiterals;

namespace {

// Large containers are kept out of the text comparison.
constexpr qsizetype kMaxInnerLength = 1024;

bool tagPasses(const ItemFilter &f, const QString &tag)
{
    const std::pair<QString, bool> listed[] = {
        {u"A"_s, f.TagA},     {u"B"_s, f.TagB},   {u"FONT"_s, f.TagFONT}, {u"INPUT"_s, f.TagINPUT},
        {u"IMG"_s, f.TagIMG}, {u"TH"_s, f.TagTH}, {u"TR"_s, f.TagTR},     {u"TD"_s, f.TagTD},
        {u"BR"_s, f.TagBR}};
    for (const auto &[name, flag] : listed) {
        if (tag == name)
            return flag;
    }
    return f.TagOther;
}

bool typePasses(const ItemFilter &f, const ItemText &type)
{
    const std::pair<QString, bool> listed[] = {
        {u"text"_s, f.TypeText}, {u"radio"_s, f.TypeRadio}, {u"submit"_s, f.TypeSubmit}, {u"hidden"_s, f.TypeHidden}};
    for (const auto &[name, flag] : listed) {
        if (type.text == name)
            return flag;
    }
    return f.TypeOther && !type.unavailable();
}

// The shape of the tooltip, identifier and name categories.
bool textPasses(const QString &value, const QString &wanted, bool other)
{
    if (value.isEmpty())
        return false;
    return (!wanted.isEmpty() && value.contains(wanted)) || other;
}

// Only blanks count as the spaces around mark-up, as in the old string trim.
QString trimmedOfSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

bool innerPasses(const ItemFilter &f, const QString &value)
{
    if (value.isEmpty() || value.size() > kMaxInnerLength)
        return false;
    if (!f.InnerExtend && trimmedOfSpaces(value).startsWith(u'<'))
        return false;
    return (!f.InnerStr.isEmpty() && value.contains(f.InnerStr)) || f.InnerOther;
}

bool hrefPasses(const ItemFilter &f, const QString &value)
{
    if (value.isEmpty())
        return false;
    const bool texts = !f.HrefStr1.isEmpty() && value.contains(f.HrefStr1)
                       && (f.HrefStr2.isEmpty() || value.contains(f.HrefStr2));
    const bool http = value.startsWith(u"http"_s);
    return texts || (http && f.HrefHttp) || (!http && f.HrefOther);
}

} // namespace

QList<qint32> FilterCodes(const ItemFilter &f)
{
    QList<qint32> codes;
    const std::pair<bool, qint32> categories[] = {{f.TagOn, kTagName}, {f.TypeOn, kType},   {f.InnerOn, kInnerHtml},
                                                  {f.TooltipOn, kAlt},  {f.HrefOn, kHref},   {f.IDOn, kId},
                                                  {f.NameOn, kName}};
    for (const auto &[on, code] : categories) {
        if (on)
            codes.append(code);
    }
    return codes;
}

bool ItemMatches(const ItemFilter &f, const std::function<ItemText(qint32 code)> &read)
{
    bool passes = true;
    if (f.TagOn)
        passes = tagPasses(f, read(kTagName).text);
    if (f.TypeOn && passes)
        passes = typePasses(f, read(kType));
    if (f.InnerOn)
        passes = innerPasses(f, read(kInnerHtml).text) && passes;
    if (f.TooltipOn)
        passes = textPasses(read(kAlt).text, f.TooltipStr, f.TooltipOther) && passes;
    if (f.HrefOn)
        passes = hrefPasses(f, read(kHref).text) && passes;
    if (f.IDOn)
        passes = textPasses(read(kId).text, f.IDStr, f.IDOther) && passes;
    if (f.NameOn)
        passes = textPasses(read(kName).text, f.NameStr, f.NameOther) && passes;
    return passes;
}
