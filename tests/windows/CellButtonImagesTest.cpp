#include "windows/shared/CellButtonImages.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using shared::CellButtonImages;

namespace {

// Pixels inside the bevel darker than its grey: the label.
int labelPixels(const QImage &image)
{
    int dark = 0;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

} // namespace

TEST(CellButtonImages, SixDifferentLabelledButtonsOfTheCellSize)
{
    const CellButtonImages images;
    QList<QImage> drawn;
    for (int index = 0; index < CellButtonImages::kCount; ++index) {
        drawn.append(images.image(index).toImage());
        EXPECT_EQ(drawn.last().size(), QSize(47, 16)) << index;
        EXPECT_GT(labelPixels(drawn.last()), 15) << index;
    }
    for (int index = 0; index < CellButtonImages::kCount; index += 2) {
        EXPECT_NE(drawn[index], drawn[index + 1]) << "pressed differs from raised";
        EXPECT_NE(drawn[index], drawn[(index + 2) % CellButtonImages::kCount]) << "labels differ";
    }
    // The raised bevel is light at the top left, the pressed one dark.
    EXPECT_GT(qGray(drawn[4].pixel(0, 0)), qGray(drawn[5].pixel(0, 0)));
    EXPECT_TRUE(images.image(6).isNull());
}

TEST(CellButtonImages, EachPairIsReadAloudAsItsLabel)
{
    const QStringList labels = {u"クリック"_s, u"クリック"_s, u"IE表示"_s, u"IE表示"_s, u"詳細"_s, u"詳細"_s};
    for (int index = 0; index < CellButtonImages::kCount; ++index)
        EXPECT_EQ(CellButtonImages::label(index), labels[index]) << index;
    EXPECT_TRUE(CellButtonImages::label(-1).isEmpty());
    EXPECT_TRUE(CellButtonImages::label(6).isEmpty());
}
