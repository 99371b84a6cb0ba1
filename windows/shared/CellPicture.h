#pragma once

// Where a cell's picture sits across its cell; drawing and the button hit
// test share this so that what is seen is what is hit.

namespace shared {

enum class PictureAlignment { LeftCenter, CenterCenter, RightCenter };

struct PictureExtent
{
    double left;
    double right;
};

// The picture's horizontal extent in a cell of the given left edge and
// width; all three in one unit.
constexpr PictureExtent pictureExtent(double cellLeft, double cellWidth, double pictureWidth,
                                      PictureAlignment alignment)
{
    switch (alignment) {
    case PictureAlignment::LeftCenter:
        return {cellLeft, cellLeft + pictureWidth};
    case PictureAlignment::RightCenter:
        return {cellLeft + cellWidth - pictureWidth, cellLeft + cellWidth};
    case PictureAlignment::CenterCenter:
        break;
    }
    return {cellLeft + (cellWidth - pictureWidth) / 2, cellLeft + (cellWidth + pictureWidth) / 2};
}

} // namespace shared
