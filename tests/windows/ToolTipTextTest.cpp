#include "tests/support/QtPrinting.h"
#include "windows/shared/ToolTipText.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using shared::CappedToolTip;

namespace {

const QString kNote = u"note"_s;

} // namespace

TEST(CappedToolTip, ATextThatFitsIsShownWhole)
{
    EXPECT_EQ(CappedToolTip(QString(), kNote), QString());
    EXPECT_EQ(CappedToolTip(u"<b>a</b>\r\n\nb"_s, kNote), u"<b>a</b>\n\nb"_s);
    // A line break right after a full line ends that line only.
    const QString full = QString(80, u'a');
    const QString twoLines = full + u"\n"_s + full;
    EXPECT_EQ(CappedToolTip(twoLines, kNote), twoLines);
}

TEST(CappedToolTip, LongLinesAreBrokenAndTheRestCutWithAMarkAndTheNote)
{
    const QString line = QString(80, u'x');
    // 1,610 characters: twenty lines of 80 and ten more.
    const QString longText = QStringList(20, line).join(QString()) + QString(10, u'y');
    const QStringList lines = CappedToolTip(longText, kNote).split(u'\n');
    ASSERT_EQ(lines.size(), 21);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(lines[i], line) << i;
    EXPECT_EQ(lines[19], line + u"…"_s);
    EXPECT_EQ(lines[20], kNote);

    // Many short lines are cut after the twentieth; without a note only the mark says so.
    const QStringList many = CappedToolTip(QStringList(1000, u"l"_s).join(u'\n')).split(u'\n');
    ASSERT_EQ(many.size(), 20);
    EXPECT_EQ(many.last(), u"l…"_s);

    // A character of two halves is never broken between them.
    const QString emoji = u"😀"_s;
    const QStringList broken = CappedToolTip(QString(79, u'a') + emoji).split(u'\n');
    EXPECT_EQ(broken, (QStringList{QString(79, u'a'), emoji}));
}
