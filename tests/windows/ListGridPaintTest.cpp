// Long cell texts are laid out only as far as a cell shows them: the grid
// must look exactly as Qt's own delegate paints the whole text.
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"

#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace shared;

namespace {

// Two grids set up alike, one painting column 1 with Qt's plain delegate;
// both default to left, vertically centred text, so only the cut differs.
class LongTextPaint : public ::testing::Test
{
protected:
    LongTextPaint()
    {
        for (ListGrid *grid : {&subject, &reference}) {
            SetListGridStyle(*grid, 3, 1);
            SetupColumn(*grid, 1, 1000, u"a"_s, Qt::AlignLeft | Qt::AlignVCenter);
            SetupColumn(*grid, 2, 6000, u"b"_s, Qt::AlignLeft | Qt::AlignVCenter);
            grid->resize(600, 200);
        }
        reference.setItemDelegateForColumn(1, new QStyledItemDelegate(&reference));
        reference.setItemDelegateForColumn(2, new QStyledItemDelegate(&reference));
    }

    // Each text in both columns of a row of its own.
    void show(const QStringList &texts)
    {
        for (ListGrid *grid : {&subject, &reference}) {
            grid->setRows(int(texts.size()) + 1);
            for (int i = 0; i < texts.size(); ++i) {
                grid->setText(i + 1, 1, texts[i]);
                grid->setText(i + 1, 2, texts[i]);
            }
        }
    }
    QImage image(ListGrid &grid) { return grid.viewport()->grab().toImage(); }

    ListGrid subject;
    ListGrid reference;
};

QString repeated(const QString &piece, qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += piece;
    return text.left(length);
}

} // namespace

TEST_F(LongTextPaint, LooksAsTheWholeTextWould)
{
    const QString words = repeated(u"<a href=\"x\">link</a> "_s, 200000);
    show({
        u"short"_s,
        words,
        // The first line fits and the rest waits behind a line break.
        u"one\n"_s + words,
        words.left(100) + u"\n"_s + words,
        repeated(u"a"_s, 4095) + repeated(u"😀"_s, 10000),
        repeated(u"שלום עולם "_s, 50000),
        repeated(u"日本語のテキスト "_s, 50000),
    });
    EXPECT_EQ(image(subject), image(reference));
}

TEST_F(LongTextPaint, LooksTheSameInATallRow)
{
    for (ListGrid *grid : {&subject, &reference})
        grid->verticalHeader()->setDefaultSectionSize(4 * grid->fontMetrics().lineSpacing());
    const QString words = repeated(u"word "_s, 100000);
    show({words, words.left(5000) + u"\nsecond\nthird"_s, u"a\nb\n"_s + words});
    EXPECT_EQ(image(subject), image(reference));
}
