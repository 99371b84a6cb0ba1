#include "windows/shared/CellButtonImages.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

using shared::CellButtonImages;

namespace {

// Pixels darker than the bevel's grey, inside the bevel: the label.
int labelPixels(const QImage &image)
{
    int dark = 0;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

} // namespace

TEST(CellButtonImages, SixDistinctLabelledButtonsOfTheCellSize)
{
    const CellButtonImages images;
    QSet<qint64> keys;
    QList<QImage> drawn;
    for (int index = 0; index < CellButtonImages::kCount; ++index) {
        const QPixmap image = images.image(index);
        EXPECT_EQ(image.size(), QSize(47, 16)) << index;
        keys.insert(image.cacheKey());
        drawn.append(image.toImage());
        EXPECT_GT(labelPixels(drawn.last()), 15) << index;
    }
    EXPECT_EQ(keys.size(), CellButtonImages::kCount);
    // A pressed button looks different from its raised self, and the
    // three labels differ from each other.
    for (int index = 0; index < CellButtonImages::kCount; index += 2) {
        EXPECT_NE(drawn[index], drawn[index + 1]) << index;
        EXPECT_NE(drawn[index], drawn[(index + 2) % CellButtonImages::kCount]) << index;
    }
    // The raised bevel is light at the top left, the pressed one dark.
    EXPECT_GT(qGray(drawn[4].pixel(0, 0)), qGray(drawn[5].pixel(0, 0)));
    EXPECT_TRUE(images.image(-1).isNull());
    EXPECT_TRUE(images.image(6).isNull());
}
